// A database whose SQL dialect the tool cannot tell: an SQLite database
// reached through an ODBC driver that names a product no backend knows.
// Every command but init ends with exit code 5 before its handler runs,
// until the database stores its syntax.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/backend_test.h"

namespace {

// Returns the library of the SQLite ODBC driver in the run's registration
// (ODBCSYSINI/ODBCINSTINI, driver "schemon_sqlite"), or "".
std::string RegisteredSqliteDriver() {
  const char* dir = getenv("ODBCSYSINI");
  const char* file = getenv("ODBCINSTINI");
  if (dir == nullptr || file == nullptr) return "";
  std::ifstream in(std::string(dir) + "/" + file);
  std::string line;
  bool in_section = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line[0] == '[') {
      in_section = line == "[schemon_sqlite]";
    } else if (in_section && line.rfind("Driver=", 0) == 0) {
      return line.substr(7);
    }
  }
  return "";
}

class UnknownDialectTest : public BackendTest {};

TEST_P(UnknownDialectTest, EveryCommandButInitEndsWithCodeFive) {
  if (GetParam().name != "odbc_sqlite") GTEST_SKIP() << "the ODBC SQLite file";
  std::string target = RegisteredSqliteDriver();
  ASSERT_NE(target, "") << "no schemon_sqlite driver registered";
  std::string file = dir_ + "/unknown.db";
  std::string conf =
      WriteFile("unknown.conf", "DBDriver = odbc\nDBDrvParams = \"Driver=" +
                                    std::string(SCHEMON_RENAMED_DBMS_DRIVER) +
                                    ";Database=" + file + "\"\n");
  std::string batch = WriteFile("b.sql", "CREATE TABLE made (id integer)");
  std::string init = WriteFile(
      "init.sql",
      "CREATE TABLE config (var_name varchar(63), var_value varchar(255));"
      "CREATE TABLE users (id integer, guid varchar(36));"
      "CREATE TABLE user_groups (id integer, guid varchar(36))");
  std::string store_syntax = WriteFile(
      "syntax.sql",
      "CREATE TABLE metadata (var_name varchar(63), var_value varchar(255));"
      "INSERT INTO metadata (var_name,var_value) VALUES ('Syntax','SQLITE')");
  const std::string kUnknown = "Unable to determine database syntax\n";
  const struct {
    const char* label;
    std::vector<std::string> args;
    int exit_code;
    std::string out;
  } steps[] = {
      {"unlock", {"unlock"}, 5, kUnknown},
      {"batch", {"batch", batch}, 5, kUnknown},
      {"init needs no syntax",
       {"init", init},
       0,
       "Initializing database...\nDatabase initialized successfully\n"},
      {"check", {"-f", "check"}, 5, kUnknown},
      {"the stored syntax, by init",
       {"init", store_syntax},
       0,
       "Initializing database...\nDatabase initialized successfully\n"},
      {"unlock with the stored syntax",
       {"unlock"},
       0,
       "Database is not locked\n"},
      // Fails should the first batch have made the table.
      {"batch with the stored syntax", {"batch", batch}, 0, ""},
  };
  std::vector<std::string> env = {"SCHEMON_RENAMED_DBMS_TARGET=" + target};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.label);
    std::vector<std::string> args = {"-c", conf};
    args.insert(args.end(), step.args.begin(), step.args.end());
    RunResult r = RunSchemon(args, "", env);
    EXPECT_EQ(r.exit_code, step.exit_code) << r.err;
    EXPECT_EQ(r.out, Banner() + step.out);
    EXPECT_EQ(r.err, "");
  }
}

INSTANTIATE_BACKEND_SUITE(UnknownDialectTest);

}  // namespace
