// The front end run as a process: options, command validation, the
// configuration file, the driver and the connection, and the exit codes.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "support/backend_test.h"
#include "support/process.h"

namespace {

const char kUsage[] =
    "Usage: schemon [<options>] <command>\n"
    "Valid commands are:\n"
    "   batch <file>  : Run SQL batch file\n"
    "   check         : Check database for errors\n"
    "   export <file> : Export database to file\n"
    "   import <file> : Import database from file\n"
    "   init <file>   : Initialize database\n"
    "   reindex       : Reindex database\n"
    "   unlock        : Forced database unlock\n"
    "   upgrade       : Upgrade database to new version\n"
    "Valid options are:\n"
    "   -c <config> : Use alternate configuration file. Default is "
    "/etc/orvaned.conf\n"
    "   -f          : Force repair - do not ask for confirmation.\n"
    "   -h          : Display help and exit.\n"
    "   -I          : MySQL only - specify TYPE=InnoDB for new tables.\n"
    "   -M          : MySQL only - specify TYPE=MyISAM for new tables.\n"
    "   -t          : Enable trace mode (show executed SQL queries).\n"
    "   -v          : Display version and exit.\n"
    "   -X          : Ignore SQL errors when upgrading (USE WITH CARE!!!)\n"
    "\n";

class FrontTest : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = MakeTempDir(); }
  void TearDown() override { RemoveTree(dir_); }

  std::string Write(const std::string& name, const std::string& content) {
    std::string path = dir_ + "/" + name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }

  // Returns a configuration for an SQLite database file in the test
  // directory, made by "init" with a one-table script.
  std::string MakeSqliteDatabase() {
    std::string conf =
        Write("db.conf", "DBDriver = sqlite\nDBName = " + dir_ + "/t.db\n");
    std::string script = Write(
        "init.sql",
        "CREATE TABLE config (var_name varchar(63), var_value varchar(255));"
        "CREATE TABLE users (id integer, guid varchar(36));"
        "CREATE TABLE user_groups (id integer, guid varchar(36))");
    RunResult r = RunSchemon({"-c", conf, "init", script});
    EXPECT_EQ(r.exit_code, 0) << r.out;
    return conf;
  }

  std::string dir_;
};

TEST_F(FrontTest, UsageErrorsEndWithCodeOne) {
  const std::string missing_conf = "/nonexistent/schemon.conf";
  const struct {
    std::vector<std::string> args;
    std::string out;
  } cases[] = {
      {{}, "Command missing. Type schemon -h for command line syntax.\n"},
      {{"-f", "-t"},
       "Command missing. Type schemon -h for command line syntax.\n"},
      {{"-v"}, ""},
      {{"-v", "check"}, ""},
      {{"-h", "check"}, kUsage},
      {{"-h", "-h"}, std::string(kUsage) + kUsage},
      {{"-z", "check"}, ""},
      {{"-c"}, ""},
      {{"CHECK"},
       "Invalid command \"CHECK\". Type schemon -h for command line "
       "syntax.\n"},
      {{"Check", "x"},
       "Invalid command \"Check\". Type schemon -h for command line "
       "syntax.\n"},
      {{"-c", missing_conf, "init"}, "Required command argument missing\n"},
      {{"-c", missing_conf, "batch"}, "Required command argument missing\n"},
      {{"-c", missing_conf, "export"}, "Required command argument missing\n"},
      {{"-c", missing_conf, "import"}, "Required command argument missing\n"},
  };
  for (const auto& c : cases) {
    RunResult r = RunSchemon(c.args);
    std::string joined;
    for (const auto& a : c.args) joined += a + " ";
    EXPECT_EQ(r.exit_code, 1) << joined;
    EXPECT_EQ(r.out, Banner() + c.out) << joined;
  }
}

TEST_F(FrontTest, BadOptionIsDiagnosedByTheParser) {
  RunResult r = RunSchemon({"-z", "check"});
  EXPECT_NE(r.err.find("invalid option -- 'z'"), std::string::npos) << r.err;
}

TEST_F(FrontTest, ConfigurationFailuresEndWithCodeTwo) {
  std::string absent = dir_ + "/absent.conf";
  RunResult r = RunSchemon({"-c", absent, "unlock"});
  EXPECT_EQ(r.exit_code, 2);
  EXPECT_EQ(r.out, Banner() + ("Cannot read configuration file " + absent +
                               ": No such file or directory\n"
                               "Error loading configuration file\n"));

  std::string bad = Write("bad.conf", "DBDriver = sqlite\n\nthis is wrong\n");
  r = RunSchemon({"-c", bad, "unlock"});
  EXPECT_EQ(r.exit_code, 2);
  EXPECT_EQ(r.out, Banner() + ("Error in configuration file " + bad +
                               ", line 3: expected Key = Value\n"
                               "Error loading configuration file\n"));
}

TEST_F(FrontTest, UnknownDriverEndsWithCodeThree) {
  for (const char* driver : {"oracle9", "/opt/x/lib/nosuch.ddr", ""}) {
    std::string conf = Write(
        "d.conf", std::string("DBDriver = \"") + driver + "\"\nDBName = x\n");
    RunResult r = RunSchemon({"-c", conf, "unlock"});
    EXPECT_EQ(r.exit_code, 3) << driver;
    EXPECT_EQ(r.out, Banner() + ("Unable to load and initialize database "
                                 "driver \"" +
                                 std::string(driver) + "\"\n"));
  }
}

TEST_F(FrontTest, DriverNameMayCarryDirectoryExtensionAndCase) {
  MakeSqliteDatabase();
  for (const char* driver :
       {"sqlite", "SQLITE", "sqlite.ddr", "/usr/lib/orvane/SQLite.DDR"}) {
    std::string conf = Write("d.conf", std::string("DBDriver = ") + driver +
                                           "\nDBName = " + dir_ + "/t.db\n");
    RunResult r = RunSchemon({"-c", conf, "unlock"});
    EXPECT_EQ(r.exit_code, 0) << driver;
    EXPECT_EQ(r.out, Banner() + std::string("Database is not locked\n"))
        << driver;
  }
}

TEST_F(FrontTest, MissingDatabaseFileEndsWithCodeFour) {
  std::string conf =
      Write("c.conf", "DBDriver = sqlite\nDBName = " + dir_ +
                          "/none.db\nDBServer = dbhost\nDBLogin = admin\n"
                          "DBPassword = s3cret-pw\nLogFile = x\nModule = y\n"
                          "DumpDirectory = z\nCreateCrashDumps = yes\n"
                          "LogFailedSQLQueries = yes\n");
  RunResult r = RunSchemon({"-c", conf, "unlock"});
  EXPECT_EQ(r.exit_code, 4);
  EXPECT_EQ(r.out, Banner() + ("Unable to connect to database " + dir_ +
                               "/none.db@dbhost as admin\n"));
  EXPECT_EQ(r.err.find("s3cret-pw"), std::string::npos);
  // Only "init" creates a database file.
  EXPECT_NE(access((dir_ + "/none.db").c_str(), F_OK), 0);
}

TEST_F(FrontTest, LongConfigurationValuesAreCutToTheirBuffers) {
  std::string login(100, 'L');
  std::string name(300, 'n');
  std::string conf =
      Write("c.conf", "DBDriver = sqlite\nDBName = " + name +
                          "\nDBLogin = " + login + "\nDBServer = srv\n");
  RunResult r = RunSchemon({"-c", conf, "unlock"});
  EXPECT_EQ(r.exit_code, 4);
  EXPECT_EQ(r.out,
            Banner() + ("Unable to connect to database " + name.substr(0, 255) +
                        "@srv as " + login.substr(0, 63) + "\n"));
}

TEST_F(FrontTest, ConfigPathIsCutAt259Bytes) {
  std::string conf = MakeSqliteDatabase();
  // A configuration file whose path is exactly 259 bytes long.
  std::string dir = dir_ + "/" + std::string(200, 'd');
  ASSERT_EQ(mkdir(dir.c_str(), 0700), 0);
  std::string path = dir + "/";
  path += std::string(259 - path.size(), 'f');
  std::ifstream in(conf);
  std::ofstream(path) << in.rdbuf();
  RunResult r = RunSchemon({"-c", path + "IGNORED", "unlock"});
  EXPECT_EQ(r.exit_code, 0) << r.out;
  EXPECT_EQ(r.out, Banner() + std::string("Database is not locked\n"));
}

TEST_F(FrontTest, OptionsMayFollowTheCommandAndExtraWordsAreIgnored) {
  std::string conf = MakeSqliteDatabase();
  RunResult r = RunSchemon({"unlock", "extra", "words", "-c", conf});
  EXPECT_EQ(r.exit_code, 0) << r.out;
  EXPECT_EQ(r.out, Banner() + std::string("Database is not locked\n"));
}

TEST_F(FrontTest, FailingHandlerStillEndsWithCodeZero) {
  std::string conf = MakeSqliteDatabase();
  RunResult r = RunSchemon({"-c", conf, "batch", dir_ + "/absent.sql"});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.out, Banner() + ("ERROR: Cannot load SQL command file " + dir_ +
                               "/absent.sql\n"));
}

}  // namespace
