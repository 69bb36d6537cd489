// Fuzz target of import. Every input is an import file (an SQLite
// database, or bytes that only look like one) imported with -f into a fresh
// version-98 SQLite database made from the shipped initialisation script.
// The import must end with its outcome line, a failure after a message of
// its own; and unless the file really holds SchemaVersion 98 in metadata,
// the database file must come out byte for byte as it went in.

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "db/driver/driver.h"
#include "front/globals.h"
#include "fuzz_checks.h"
#include "fuzz_support.h"
#include "transfer/import.h"

namespace {

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)),
                     std::istreambuf_iterator<char>());
}

// The pristine database's bytes: the initialisation script run once, then
// one connect and disconnect through the driver, so that whatever a
// connection writes by itself is already in them.
const std::string& PristineDatabase() {
  static std::string bytes;
  if (!bytes.empty()) return bytes;
  std::string script =
      ReadBytes(std::string(SCHEMON_SOURCE_DIR) + "/lib/sql/dbinit_sqlite.sql");
  std::string path = WriteScratchFile(".target.db", nullptr, 0);
  sqlite3* db = nullptr;
  char* error = nullptr;
  if (script.empty() || sqlite3_open(path.c_str(), &db) != SQLITE_OK ||
      sqlite3_exec(db, script.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    fprintf(stderr, "import fuzz: cannot build the target database: %s\n",
            error != nullptr ? error : "no script");
    abort();
  }
  sqlite3_close(db);
  snprintf(g_szDbDriver, sizeof g_szDbDriver, "sqlite");
  snprintf(g_szDbName, sizeof g_szDbName, "%s", path.c_str());
  if (!DBInit(0, 0, 0, nullptr) || (g_hDbConnection = DBConnect()) == nullptr) {
    fprintf(stderr, "import fuzz: cannot connect to %s\n", path.c_str());
    abort();
  }
  DBDisconnect(g_hDbConnection);
  g_hDbConnection = nullptr;
  DBUnloadDriver();
  bytes = ReadBytes(path);
  return bytes;
}

// True when some metadata row of the file gives SchemaVersion 98, read the
// way import reads it: only then may the import go past its checks.
bool MayPassTheChecks(const std::string& path) {
  sqlite3* file = nullptr;
  bool found = false;
  if (sqlite3_open_v2(path.c_str(), &file, SQLITE_OPEN_READONLY, nullptr) ==
      SQLITE_OK) {
    sqlite3_exec(
        file, "SELECT var_value FROM metadata WHERE var_name='SchemaVersion'",
        [](void* context, int, char** values, char**) {
          if (values[0] != nullptr && strtol(values[0], nullptr, 10) == 98) {
            *static_cast<bool*>(context) = true;
          }
          return 0;
        },
        &found, nullptr);
  }
  sqlite3_close(file);
  return found;
}

}  // namespace

std::string CheckImport(const uint8_t* data, size_t size) {
  const std::string& pristine = PristineDatabase();
  std::string target = WriteScratchFile(
      ".target.db", reinterpret_cast<const uint8_t*>(pristine.data()),
      pristine.size());
  std::string file = WriteScratchFile(".import.db", data, size);

  snprintf(g_szDbDriver, sizeof g_szDbDriver, "sqlite");
  snprintf(g_szDbName, sizeof g_szDbName, "%s", target.c_str());
  if (!DBInit(0, 0, 0, nullptr) || (g_hDbConnection = DBConnect()) == nullptr) {
    return "cannot connect to the target database";
  }
  g_nDbSyntax = DBGetSyntax(g_hDbConnection);
  g_bRepairWithoutAsking = 1;
  std::string out = CaptureStdout([&] { DoImport(file.c_str()); });
  g_bRepairWithoutAsking = 0;
  DBDisconnect(g_hDbConnection);
  g_hDbConnection = nullptr;
  DBUnloadDriver();

  const std::string complete = "Database import complete.\n";
  const std::string failed = "Database import failed.\n";
  auto ends_with = [&](const std::string& tail) {
    return out.size() >= tail.size() &&
           out.compare(out.size() - tail.size(), tail.size(), tail) == 0;
  };
  if (ends_with(failed)) {
    if (out.size() == failed.size()) return "import failed without a message";
  } else if (!ends_with(complete)) {
    return "import did not end with its outcome: " + out.substr(0, 2000);
  }
  if (!MayPassTheChecks(file) && ReadBytes(target) != pristine) {
    return "import changed the database although the file failed its "
           "checks: " +
           out.substr(0, 2000);
  }
  return "";
}

SCHEMON_FUZZ_TARGET(CheckImport)
