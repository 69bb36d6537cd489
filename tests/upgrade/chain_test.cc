// The whole upgrade from the version-14 baseline to 98 on every backend,
// and the drift check: the upgraded database has the tables and columns of
// a database made by the shipped init script of its dialect, the same
// metadata and server-variable names and the reference rows the steps
// insert. Then check, export and import into the other dialects run on
// the result; runs started from intermediate versions end the same way.

#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "db/driver/syntax.h"
#include "front/globals.h"
#include "support/expected_output.h"
#include "upgrade/baseline14.h"
#include "upgrade/step_table.h"
#include "upgrade/upgrade_fixture.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;

// The reference tables whose rows the steps insert, compared row by row.
const char* const kReferenceTables[] = {
    "event_cfg",        "snmp_trap_cfg",  "snmp_trap_pmap",
    "oid_to_type",      "object_tools",   "object_tools_table_columns",
    "object_tools_acl", "script_library", "maps",
    "map_access_lists",
};

const char* DialectOf(int syntax) {
  return syntax == SYNTAX_SQLITE       ? "sqlite"
         : syntax == SYNTAX_POSTGRESQL ? "pgsql"
                                       : "mysql";
}

std::string InitScript(int syntax) {
  return std::string(SCHEMON_SOURCE_DIR) + "/lib/sql/dbinit_" +
         DialectOf(syntax) + ".sql";
}

// A database of backend made by "init" with the shipped script, in a
// directory of its own; *config gets its configuration file.
std::unique_ptr<TestDatabase> MakeInitialised(const BackendUnderTest& backend,
                                              const std::string& dir,
                                              std::string* config) {
  mkdir(dir.c_str(), 0700);
  std::unique_ptr<TestDatabase> db = backend.create(dir);
  *config = dir + "/server.conf";
  std::ofstream(*config) << db->ConfigText();
  RunResult r = RunSchemon({"-c", *config, "init", InitScript(backend.syntax)});
  EXPECT_NE(r.out.find("Database initialized successfully"), std::string::npos)
      << r.out;
  return db;
}

class UpgradeFrom14Test : public UpgradeTest {
 protected:
  void SetUp() override {
    UpgradeTest::SetUp();
    if (HasFatalFailure()) return;
    if (Baseline14Path(syntax()).empty()) {
      GTEST_SKIP() << "no version-14 baseline for this database";
    }
    LoadBaseline14(db_.get(), syntax());
  }

  // The tables of db in lower case, sorted, without the per-node tables.
  std::vector<std::string> Tables(TestDatabase* db) {
    std::vector<std::string> names;
    for (const std::string& name : TableNames(db)) {
      if (name.rfind("idata_", 0) != 0) names.push_back(name);
    }
    return names;
  }

  static std::set<std::vector<std::string>> RowSet(TestDatabase* db,
                                                   const std::string& sql) {
    Rows rows = db->Rows(sql);
    return std::set<std::vector<std::string>>(rows.begin(), rows.end());
  }

  // Runs the steps from 14 up to `version` in this process, as the driver
  // does, and closes the connection again.
  void UpgradeInProcessTo(int version) {
    ConnectInProcess();
    g_bRepairWithoutAsking = 1;
    for (int v = UPGRADE_FIRST_VERSION; v < version; v++) {
      std::string out;
      ASSERT_NE(
          RunStep(g_upgradeSteps[v - UPGRADE_FIRST_VERSION].procedure, &out), 0)
          << "step " << v << ":\n"
          << out;
    }
    DBDisconnect(g_hDbConnection);
    g_hDbConnection = nullptr;
    DBUnloadDriver();
    g_bRepairWithoutAsking = 0;
  }

  // Upgrades with -f from the stored version and checks the run's output:
  // one line per step, the two index questions when it starts below 21,
  // no error report, and the summary line.
  void ExpectUpgradeTo98(int from) {
    RunResult r = Run({"-f", "upgrade"});
    EXPECT_EQ(r.exit_code, 0);
    const std::string& out = r.out;
    EXPECT_EQ(out.rfind(std::string(Banner()) + "Upgrading database...\n", 0),
              0u)
        << out;
    for (int v = from; v < 98; v++) {
      EXPECT_NE(out.find("Upgrading from version " + std::to_string(v) +
                         " to " + std::to_string(v + 1) + "\n"),
                std::string::npos)
          << v;
    }
    size_t steps = 0;
    for (size_t at = out.find("Upgrading from version");
         at != std::string::npos;
         at = out.find("Upgrading from version", at + 1)) {
      steps++;
    }
    EXPECT_EQ(steps, static_cast<size_t>(98 - from));
    EXPECT_EQ(out.find("SQL query failed"), std::string::npos) << out;
    EXPECT_EQ(out.find("Rolling back"), std::string::npos) << out;
    EXPECT_EQ(out.find("ERROR"), std::string::npos) << out;
    const std::string tail = "Database upgrade succeeded\n";
    EXPECT_TRUE(out.size() >= tail.size() &&
                out.compare(out.size() - tail.size(), tail.size(), tail) == 0)
        << out;
    EXPECT_EQ(StoredVersion(), 98);
  }

  // The drift check against a database made by the shipped init script.
  void ExpectSchemaOfTheInitScript() {
    std::string config;
    std::unique_ptr<TestDatabase> ref =
        MakeInitialised(GetParam(), dir_ + "/reference", &config);
    std::vector<std::string> tables = Tables(db_.get());
    EXPECT_EQ(tables, Tables(ref.get()));
    EXPECT_GE(tables.size(),
              76u);  // the core tables, metadata, usm_credentials
    for (const std::string& table : Tables(ref.get())) {
      std::vector<std::string> got = TypedColumns(table);
      std::vector<std::string> want = TypedColumns(table, ref.get());
      EXPECT_FALSE(want.empty()) << table;
      std::sort(got.begin(), got.end());
      std::sort(want.begin(), want.end());
      EXPECT_EQ(got, want) << table;
    }
    // Metadata: the same names and values.
    EXPECT_EQ(RowSet(db_.get(), "SELECT var_name,var_value FROM metadata"),
              RowSet(ref.get(), "SELECT var_name,var_value FROM metadata"));
    // Server variables: the same names; the values are the site's.
    EXPECT_EQ(RowSet(db_.get(), "SELECT var_name FROM config"),
              RowSet(ref.get(), "SELECT var_name FROM config"));
    // Every reference row the steps insert, as the init script has it.
    for (const char* table : kReferenceTables) {
      std::vector<std::string> columns = Columns(table, ref.get());
      std::string list;
      for (const auto& c : columns) list += (list.empty() ? "" : ",") + c;
      std::string sql = "SELECT " + list + " FROM " + table;
      auto got = RowSet(db_.get(), sql);
      auto want = RowSet(ref.get(), sql);
      EXPECT_FALSE(want.empty()) << table;
      for (const auto& row : want) {
        EXPECT_EQ(got.count(row), 1u)
            << table
            << ": missing or different: " << ::testing::PrintToString(row);
      }
    }
    // The root objects, apart from what the baseline gave them (names of
    // objects 1 and 2, inherit flags) and the time of the change.
    std::string roots =
        "SELECT object_id,status,is_deleted,"
        "status_calc_alg,status_prop_alg,status_fixed_val,status_shift,"
        "status_translation,status_single_threshold,status_thresholds,"
        "location_type FROM object_properties WHERE object_id IN (1,2,3)";
    EXPECT_EQ(RowSet(db_.get(), roots), RowSet(ref.get(), roots));
    EXPECT_EQ(db_->Scalar("SELECT name FROM object_properties WHERE "
                          "object_id=3"),
              "Templates");
  }

  // check -f, export, and import of the export into a fresh database of
  // every other dialect that this run has a server for.
  void ExpectCheckExportAndImport() {
    RunResult check = Run({"-f", "check"});
    EXPECT_EQ(check.out.find("SQL query failed"), std::string::npos)
        << check.out;
    EXPECT_NE(check.out.find("Database doesn't contain any errors"),
              std::string::npos)
        << check.out;
    // A repair on the upgraded schema: on MySQL and MariaDB the upgrade made
    // object_properties.comments NOT NULL without a default, so the repair
    // row must give it a value.
    db_->Exec("DELETE FROM object_properties WHERE object_id=10");
    RunResult repair = Run({"-f", "check"});
    EXPECT_NE(repair.out.find("\rMissing node object 10 properties. Create? "
                              "(Y/N) Y\n"),
              std::string::npos)
        << repair.out;
    EXPECT_EQ(repair.out.find("SQL query failed"), std::string::npos)
        << repair.out;
    EXPECT_EQ(db_->Scalar("SELECT name FROM object_properties WHERE "
                          "object_id=10"),
              "lost_node_10");
    std::string file = dir_ + "/export.db";
    RunResult exported = Run({"export", file});
    EXPECT_NE(exported.out.find("Database export complete.\n"),
              std::string::npos)
        << exported.out;
    EXPECT_EQ(exported.out.find("ERROR"), std::string::npos) << exported.out;
    std::set<int> done = {syntax()};
    for (const BackendUnderTest& other : EnabledBackends()) {
      if (done.count(other.syntax) != 0 || other.name.rfind("odbc", 0) == 0) {
        continue;
      }
      done.insert(other.syntax);
      SCOPED_TRACE("import into " + other.name);
      std::string config;
      std::unique_ptr<TestDatabase> target =
          MakeInitialised(other, dir_ + "/import_" + other.name, &config);
      RunResult imported = RunSchemon({"-c", config, "-f", "import", file});
      EXPECT_NE(imported.out.find("Database import complete.\n"),
                std::string::npos)
          << imported.out;
      EXPECT_EQ(imported.out.find("ERROR"), std::string::npos) << imported.out;
      EXPECT_EQ(target->Scalar("SELECT COUNT(*) FROM object_properties"),
                db_->Scalar("SELECT COUNT(*) FROM object_properties"));
      EXPECT_EQ(target->Scalar("SELECT COUNT(*) FROM idata_10"),
                db_->Scalar("SELECT COUNT(*) FROM idata_10"));
    }
  }
};

TEST_P(UpgradeFrom14Test, BaselineUpgradesTo98LikeAFreshDatabase) {
  ExpectUpgradeTo98(14);
  ExpectSchemaOfTheInitScript();
  // What the later steps made of the baseline's rows: identifiers for every
  // user and group, alarm states and texts, the policy's acknowledge key,
  // the retention time in days.
  Rows guids = db_->Rows(
      "SELECT guid FROM users UNION ALL SELECT guid FROM "
      "user_groups");
  std::set<std::vector<std::string>> distinct(guids.begin(), guids.end());
  EXPECT_EQ(guids.size(), 5u);
  EXPECT_EQ(distinct.size(), guids.size());
  for (const auto& g : guids) EXPECT_EQ(g[0].size(), 36u) << g[0];
  EXPECT_EQ(db_->Rows("SELECT alarm_id,alarm_state,message,source_event_code "
                      "FROM alarms ORDER BY alarm_id"),
            (Rows{{"1", "0", "Threshold reached for \"CPU\"", "17"},
                  {"2", "2", "Disk '/' nearly full", "4000"}}));
  EXPECT_EQ(db_->Scalar("SELECT alarm_key FROM event_policy WHERE rule_id=2"),
            "THR_%i");
  EXPECT_EQ(db_->Scalar("SELECT var_value FROM config WHERE "
                        "var_name='EventLogRetentionTime'"),
            "60");
  EXPECT_EQ(db_->Scalar("SELECT COUNT(*) FROM object_properties"), "20");
  ExpectCheckExportAndImport();
}

TEST_P(UpgradeFrom14Test, RunsFromIntermediateVersionsEndTheSame) {
  bool first = true;
  for (int version : {27, 41, 50, 60}) {
    SCOPED_TRACE("from version " + std::to_string(version));
    if (!first) {
      // A fresh baseline for each starting version.
      TearDown();
      SetUp();
    }
    first = false;
    UpgradeInProcessTo(version);
    ASSERT_EQ(StoredVersion(), version);
    ExpectUpgradeTo98(version);
    ExpectSchemaOfTheInitScript();
  }
}

INSTANTIATE_BACKEND_SUITE(UpgradeFrom14Test);

}  // namespace
