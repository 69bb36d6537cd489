// Bad connection settings end the run with exit code 3 (driver) or 4
// (connection) and the fixed message, on every backend, and no password ever
// reaches the output.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/backend_test.h"

namespace {

constexpr char kWrongPassword[] = "Wr0ng-pa55-7f3Q";

// Returns the configuration text with key set to value (added when absent).
std::string WithKey(const std::string& config, const std::string& key,
                    const std::string& value) {
  std::string out;
  size_t start = 0;
  bool replaced = false;
  while (start < config.size()) {
    size_t end = config.find('\n', start);
    if (end == std::string::npos) end = config.size();
    std::string line = config.substr(start, end - start);
    start = end + 1;
    if (line.compare(0, key.size() + 1, key + " ") == 0 ||
        line.compare(0, key.size() + 1, key + "=") == 0) {
      line = key + " = \"" + value + "\"";
      replaced = true;
    }
    out += line + "\n";
  }
  if (!replaced) out += key + " = \"" + value + "\"\n";
  return out;
}

// Returns the value of key in the configuration text, without quotes, or
// the driver library's initial value when the text lacks the key.
std::string KeyValue(const std::string& config, const std::string& key,
                     const std::string& initial = "") {
  size_t at = config.find(key + " = ");
  if (at == std::string::npos) return initial;
  size_t begin = at + key.size() + 3;
  std::string value = config.substr(begin, config.find('\n', begin) - begin);
  if (value.size() >= 2 && value.front() == '"') {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

bool IsServer(const std::string& backend) {
  return backend == "pgsql" || backend == "mysql" || backend == "odbc_pgsql";
}

struct BadSetting {
  const char* label;
  bool (*applies)(const std::string& backend);
  // Changes the settings; returns the new configuration text.
  std::string (*apply)(const std::string& backend, const std::string& config);
  int exit_code;
};

const char* PasswordLogin() {
  const char* login = getenv("SCHEMON_TEST_PASSWORD_USER");
  return login != nullptr ? login : "schemon_pw";
}

const BadSetting kBadSettings[] = {
    {"unknown driver name", [](const std::string&) { return true; },
     [](const std::string&, const std::string& config) {
       return WithKey(config, "DBDriver", "no_such_driver");
     },
     3},
    {"wrong password", IsServer,
     [](const std::string&, const std::string& config) {
       return WithKey(WithKey(config, "DBLogin", PasswordLogin()), "DBPassword",
                      kWrongPassword);
     },
     4},
    {"unknown host",
     [](const std::string& backend) {
       return backend == "pgsql" || backend == "mysql";
     },
     [](const std::string&, const std::string& config) {
       return WithKey(WithKey(config, "DBServer", "no-such-host.invalid"),
                      "DBPassword", kWrongPassword);
     },
     4},
    {"unknown data source",
     [](const std::string& backend) { return backend.rfind("odbc_", 0) == 0; },
     [](const std::string&, const std::string& config) {
       return WithKey(WithKey(WithKey(config, "DBServer", "no_such_dsn"),
                              "DBDrvParams", ""),
                      "DBPassword", kWrongPassword);
     },
     4},
    {"missing database", IsServer,
     [](const std::string&, const std::string& config) {
       // Also where a connection string in DBDrvParams names the database.
       std::string name = KeyValue(config, "DBName");
       std::string changed = config;
       for (size_t at = changed.find(name); at != std::string::npos;
            at = changed.find(name, at)) {
         changed.replace(at, name.size(), "schemon_no_such_db");
       }
       return WithKey(changed, "DBPassword", kWrongPassword);
     },
     4},
    {"missing database file",
     [](const std::string& backend) { return backend == "sqlite"; },
     [](const std::string&, const std::string& config) {
       return WithKey(config, "DBName", "/nonexistent/schemon/missing.db");
     },
     4},
};

class ConnectionErrorsTest : public BackendTest {};

TEST_P(ConnectionErrorsTest, BadSettingsEndWithTheirExitCodeAndMessage) {
  const std::string backend = GetParam().name;
  const char* secret = getenv("SCHEMON_TEST_PASSWORD");
  for (const auto& bad : kBadSettings) {
    if (!bad.applies(backend)) continue;
    SCOPED_TRACE(bad.label);
    std::string config = bad.apply(backend, db_->ConfigText());
    WriteFile("server.conf", config);
    RunResult run = Run({"unlock"});
    EXPECT_EQ(run.exit_code, bad.exit_code) << run.out << run.err;
    std::string expected =
        bad.exit_code == 3
            ? "Unable to load and initialize database driver \"" +
                  KeyValue(config, "DBDriver") + "\"\n"
            : "Unable to connect to database " +
                  KeyValue(config, "DBName", "orvane_db") + "@" +
                  KeyValue(config, "DBServer", "localhost") + " as " +
                  KeyValue(config, "DBLogin", "orvane") + "\n";
    EXPECT_EQ(run.out, std::string(Banner()) + expected);
    EXPECT_EQ(run.out.find(kWrongPassword), std::string::npos);
    EXPECT_EQ(run.err.find(kWrongPassword), std::string::npos) << run.err;
    if (secret != nullptr) {
      EXPECT_EQ(run.out.find(secret), std::string::npos);
      EXPECT_EQ(run.err.find(secret), std::string::npos);
    }
  }
}

// The right password for the same login connects, so the failure above is
// the password's and not the login's.
TEST_P(ConnectionErrorsTest, RightPasswordConnectsSilently) {
  const char* secret = getenv("SCHEMON_TEST_PASSWORD");
  if (!IsServer(GetParam().name) || secret == nullptr) {
    GTEST_SKIP() << "needs a server with a password login";
  }
  WriteFile("server.conf",
            WithKey(WithKey(db_->ConfigText(), "DBLogin", PasswordLogin()),
                    "DBPassword", secret));
  RunResult run = Run({"unlock"});
  EXPECT_EQ(run.exit_code, 0) << run.out << run.err;
  EXPECT_EQ(run.out.find(secret), std::string::npos);
  EXPECT_EQ(run.err.find(secret), std::string::npos);
}

INSTANTIATE_BACKEND_SUITE(ConnectionErrorsTest);

}  // namespace
