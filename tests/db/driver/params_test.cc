// DBDrvParams: the parser of its key=value pairs, the options a backend
// refuses before it connects (the PostgreSQL password and database name
// belong to DBPassword and DBName), and the values reaching the server.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "db/driver/api_connection.h"
#include "db/driver/backend.h"
#include "db/driver/driver.h"
#include "support/backend_test.h"
#include "support/process.h"

namespace {

// The pairs as "key=value" joined by "|", or "error: " and the text.
std::string Parsed(const std::string& text) {
  std::vector<std::pair<std::string, std::string>> pairs;
  std::string error;
  if (!driver::ParseOptions(text, &pairs, &error)) return "error: " + error;
  std::string out;
  for (const auto& pair : pairs) {
    out += (out.empty() ? "" : "|") + pair.first + "=" + pair.second;
  }
  return out;
}

TEST(DrvParamsParserTest, PairsBetweenBlanksOrSemicolonsValuesMayBeQuoted) {
  const struct {
    const char* text;
    const char* parsed;
  } cases[] = {
      {"", ""},
      {" ; \t;", ""},
      {"port=5433 sslmode=require", "port=5433|sslmode=require"},
      {"a=1;b=2", "a=1|b=2"},
      {" ;a=1 ;;\t b=2; ", "a=1|b=2"},
      {"a='x y;z' b=2", "a=x y;z|b=2"},
      {"a='it''s'", "a=it's"},
      {"a='' b=", "a=|b="},
      {"a=b=c", "a=b=c"},
      {"a=x'y", "a=x'y"},
      {"a=1 a=2", "a=1|a=2"},
      {"port", "error: option \"port\" has no value (expected key=value)"},
      {"a=1 b", "error: option \"b\" has no value (expected key=value)"},
      {"a 1", "error: option \"a\" has no value (expected key=value)"},
      {"a='x y", "error: closing quote missing in the value of option \"a\""},
      {"a='x''", "error: closing quote missing in the value of option \"a\""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Parsed(c.text), c.parsed) << "[" << c.text << "]";
  }
}

// Options that end the run before any server is reached: exit code 4, the
// fixed message on standard output and the backend's reason on standard
// error, which never shows the password.
TEST(DrvParamsRefusalTest, RefusedOptionsEndTheRunBeforeConnecting) {
  const char kSecret[] = "Secr3t-9xQ";
  const struct {
    const char* driver;
    std::string params;
    const char* reason;
  } cases[] = {
      {"pgsql", std::string("password=") + kSecret,
       "pgsql: option \"password\" is not allowed in DBDrvParams; use "
       "DBPassword or DBName"},
      {"pgsql", "port=5432 dbname=other",
       "pgsql: option \"dbname\" is not allowed in DBDrvParams; use "
       "DBPassword or DBName"},
      {"pgsql", "sslmode=require password=''",
       "pgsql: option \"password\" is not allowed in DBDrvParams; use "
       "DBPassword or DBName"},
      {"pgsql", "application_name='x",
       "pgsql: closing quote missing in the value of option "
       "\"application_name\""},
      {"pgsql", "connect_timeout",
       "pgsql: option \"connect_timeout\" has no value (expected key=value)"},
      {"mysql", std::string("password=") + kSecret,
       "mysql: unknown option \"password\""},
      {"mysql", "port=65536",
       "mysql: option \"port\" must be a number from 0 to 65535"},
      {"mysql", "ssl=yes",
       "mysql: option \"ssl\" must be a number from 0 to 1"},
      {"sqlite", "busy_timeout=soon",
       "sqlite: busy_timeout must be 0 to 3600000 milliseconds"},
      {"sqlite", "timeout=5", "sqlite: unknown option \"timeout\""},
  };
  std::string dir = MakeTempDir();
  std::string conf = dir + "/server.conf";
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.driver) + " " + c.params);
    FILE* f = fopen(conf.c_str(), "w");
    ASSERT_NE(f, nullptr);
    fprintf(f,
            "DBDriver = %s\nDBServer = /nonexistent\nDBName = %s/none.db\n"
            "DBPassword = %s\nDBDrvParams = \"%s\"\n",
            c.driver, dir.c_str(), kSecret, c.params.c_str());
    fclose(f);
    RunResult r = RunSchemon({"-c", conf, "unlock"});
    EXPECT_EQ(r.exit_code, 4);
    EXPECT_EQ(r.out, Banner() + ("Unable to connect to database " + dir +
                                 "/none.db@/nonexistent as orvane\n"));
    EXPECT_EQ(r.err, std::string("schemon: ") + c.reason + "\n");
  }
  RemoveTree(dir);
}

// Returns config_text with its DBDrvParams line replaced.
std::string WithParams(const std::string& config_text,
                       const std::string& params) {
  std::string out;
  size_t start = 0;
  while (start < config_text.size()) {
    size_t end = config_text.find('\n', start);
    if (end == std::string::npos) end = config_text.size();
    std::string line = config_text.substr(start, end - start);
    start = end + 1;
    if (line.rfind("DBDrvParams", 0) == 0) line = "DBDrvParams = " + params;
    out += line + "\n";
  }
  return out;
}

class DrvParamsServerTest : public BackendTest {};

// The pairs reach libpq whole: quoted values keep their blanks and
// semicolons, and the file's settings override the defaults.
TEST_P(DrvParamsServerTest, PgsqlSettingsReachTheSession) {
  if (GetParam().name != "pgsql") GTEST_SKIP() << "libpq keywords";
  std::string port = db_->Scalar("SELECT current_setting('port')");
  const struct {
    std::string extra;
    const char* query;
    const char* value;
  } cases[] = {
      {"", "SELECT current_setting('client_encoding')", "UTF8"},
      {"", "SELECT current_setting('application_name')", "schemon"},
      {"client_encoding=LATIN1", "SELECT current_setting('client_encoding')",
       "LATIN1"},
      {"application_name='a b;c''d'",
       "SELECT current_setting('application_name')", "a b;c'd"},
      {"options='-c search_path=s1 -c work_mem=7MB'",
       "SELECT current_setting('search_path') || ' ' || "
       "current_setting('work_mem')",
       "s1 7MB"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.extra);
    ApiConnection api(
        WithParams(db_->ConfigText(), "\"port=" + port + ";" + c.extra + "\""));
    ASSERT_NE(api.handle(), nullptr);
    db_result_t result = DBSelect(api.handle(), c.query);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(DBGetFieldString(result, 0, 0), c.value);
    DBFreeResult(result);
  }
}

INSTANTIATE_BACKEND_SUITE(DrvParamsServerTest);

}  // namespace
