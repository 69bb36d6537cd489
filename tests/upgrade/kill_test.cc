// Upgrades killed with SIGKILL at random moments, on every backend, from the
// version-14 and the version-63 baselines with thousands of rows in the
// tables that steps rebuild. After every kill the next run goes on without a
// failure and no rebuilt table has lost a row; the final run reaches 98, and
// then every table holds exactly the columns and rows of the same baseline
// upgraded in one uninterrupted run (converted texts and renumbered rows
// included), with no resume mark and no work table left.

#include <signal.h>
#include <sys/stat.h>

#include <algorithm>
#include <iterator>
#include <chrono>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "db/driver/syntax.h"
#include "support/child_process.h"
#include "upgrade/baseline14.h"
#include "upgrade/step_resume.h"
#include "upgrade/upgrade_fixture.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;

// Values that differ from run to run: the time of the object properties
// move and the new identifiers of users and groups.
const struct {
  const char* table;
  const char* column;
} kVolatileColumns[] = {
    {"object_properties", "last_modified"},
    {"users", "guid"},
    {"user_groups", "guid"},
};

// A table a step rebuilds: whatever the kills did, it holds the rows of the
// old table before its step or those of the new one after it.
struct RebuiltTable {
  const char* table;
  const char* count;  // the query that counts its rows
};

// Each row a text, values joined by the unit separator.
std::vector<std::string> Joined(const Rows& rows) {
  std::vector<std::string> lines;
  for (const auto& row : rows) {
    std::string line;
    for (const std::string& value : row) line += value + '\x1f';
    lines.push_back(line);
  }
  return lines;
}

class UpgradeKillTest : public UpgradeTest {
 protected:
  // The columns of table in db with their full types and nullability.
  std::vector<std::string> ExactColumns(TestDatabase* db,
                                        const std::string& table) {
    std::string sql;
    switch (syntax()) {
      case SYNTAX_SQLITE:
        sql = "SELECT name,type,\"notnull\" FROM pragma_table_info('" +
              table + "')";
        break;
      case SYNTAX_POSTGRESQL:
        sql =
            "SELECT column_name,data_type,character_maximum_length,"
            "is_nullable FROM information_schema.columns WHERE "
            "table_schema=current_schema() AND table_name='" +
            table + "' ORDER BY ordinal_position";
        break;
      default:
        sql =
            "SELECT column_name,column_type,is_nullable FROM "
            "information_schema.columns WHERE table_schema=DATABASE() AND "
            "table_name='" +
            table + "' ORDER BY ordinal_position";
        break;
    }
    return Joined(db->Rows(sql));
  }

  // Every row of table in db, sorted, the volatile values masked.
  std::vector<std::string> Contents(TestDatabase* db,
                                    const std::string& table) {
    std::vector<std::string> columns = Columns(table, db);
    std::string list;
    for (const std::string& c : columns) list += (list.empty() ? "" : ",") + c;
    Rows rows = db->Rows("SELECT " + list + " FROM " + table);
    for (size_t i = 0; i < columns.size(); i++) {
      for (const auto& v : kVolatileColumns) {
        if (table != v.table || columns[i] != v.column) continue;
        for (auto& row : rows) row[i] = "*";
      }
    }
    std::vector<std::string> lines = Joined(rows);
    std::sort(lines.begin(), lines.end());
    return lines;
  }

  // Fills db with the baseline of version `from` and the extra rows of the
  // rebuilt tables.
  void LoadBaseline(TestDatabase* db, int from) {
    if (from == 14) {
      LoadBaseline14(db, syntax());
      // policy_event_list (rule_id,event_id), rebuilt by step 17 to 18.
      InsertRows(db, "policy_event_list (rule_id,event_id)", 2000,
                 [](int i) {
                   return std::to_string(100 + i / 50) + "," +
                          std::to_string(i % 50 + 1);
                 });
      return;
    }
    LoadBaseline63(db);
    // Rebuilt by step 76 to 77 (numbered per condition) and 80 to 81.
    InsertRows(db, "cond_dci_map (condition_id,dci_id,node_id,dci_func,"
               "num_polls)",
               2000, [](int i) {
                 return std::to_string(20 + i / 50) + "," +
                        std::to_string(1000 + i % 50) + ",10," +
                        std::to_string(i % 3) + "," + std::to_string(i % 7);
               });
    InsertRows(db, "dci_schedules (item_id,schedule)", 1500, [](int i) {
      return std::to_string(200 + i % 40) + ",'" + std::to_string(i % 60) +
             " */" + std::to_string(1 + i % 12) + " * * *'";
    });
    InsertRows(db, "address_lists (list_type,addr_type,addr1,addr2)", 1500,
               [](int i) {
                 // Every third row repeats the one before it.
                 int n = i - (i % 3 == 2 ? 1 : 0);
                 return std::to_string(1 + n % 2) + ",0,'10.9." +
                        std::to_string(n / 250) + "." +
                        std::to_string(n % 250) + "','255.255.255.255'";
               });
  }

  // Inserts count rows into table (its column list given), 250 a statement.
  template <typename Values>
  void InsertRows(TestDatabase* db, const std::string& table, int count,
                  Values values) {
    for (int start = 0; start < count; start += 250) {
      std::string sql = "INSERT INTO " + table + " VALUES ";
      for (int i = start; i < std::min(count, start + 250); i++) {
        sql += (i > start ? ",(" : "(") + values(i) + ")";
      }
      db->Exec(sql);
    }
  }

  // A fresh database of the backend in a directory of its own, loaded with
  // the baseline; *config gets its configuration file.
  std::unique_ptr<TestDatabase> MakeLoaded(const std::string& name, int from,
                                           std::string* config) {
    std::string dir = dir_ + "/" + name;
    mkdir(dir.c_str(), 0700);
    std::unique_ptr<TestDatabase> db = GetParam().create(dir);
    *config = dir + "/server.conf";
    std::ofstream(*config) << db->ConfigText();
    LoadBaseline(db.get(), from);
    return db;
  }

  // Runs the uninterrupted upgrade of the reference and times its steps:
  // *durations gets the milliseconds of each step by its version.
  void RunReference(const std::string& config, int from,
                    std::map<int, int>* durations) {
    ChildProcess run;
    ASSERT_TRUE(run.Start(SchemonPath(), {"-c", config, "-f", "upgrade"}));
    auto started = std::chrono::steady_clock::now();
    auto last = started;
    for (int v = from; v <= 98; v++) {
      std::string line = v < 98 ? StepLines(v, v + 1) : "Database upgrade ";
      ASSERT_TRUE(run.WaitForOutput(line, 300000)) << line << "\n"
                                                   << run.out();
      auto now = std::chrono::steady_clock::now();
      if (v > from) {
        (*durations)[v - 1] = static_cast<int>(
            std::chrono::duration_cast<std::chrono::milliseconds>(now - last)
                .count());
      }
      last = now;
    }
    ASSERT_TRUE(run.Wait(60000));
    ASSERT_NE(run.out().find("Database upgrade succeeded\n"),
              std::string::npos)
        << run.out();
  }


  // Kills upgrades of the test database at random moments, half of them in
  // one of the target steps, until ten kills met a run at work and every
  // target ahead was aimed at; after each
  // the next run goes on without a failure and the rebuilt tables hold
  // their rows. The run after the kills completes, and the database then
  // equals the reference, upgraded without a kill. A database that reached
  // 98 before enough kills is compared and loaded again.
  void KillAndCompare(int from, const std::vector<int>& targets,
                      const std::vector<RebuiltTable>& rebuilt) {
    std::string reference_config;
    std::unique_ptr<TestDatabase> reference =
        MakeLoaded("reference", from, &reference_config);
    std::map<std::string, std::set<std::string>> allowed;
    for (const RebuiltTable& t : rebuilt) {
      allowed[t.table].insert(reference->Scalar(t.count));
    }
    std::map<int, int> durations;
    RunReference(reference_config, from, &durations);
    if (HasFatalFailure()) return;
    for (const RebuiltTable& t : rebuilt) {
      allowed[t.table].insert(reference->Scalar(t.count));
    }

    std::mt19937 random(from * 7919);
    int met = 0;
    std::string versions;
    for (int round = 0; round < 3 && met < 10; round++) {
      if (round > 0) {
        db_ = GetParam().create(dir_);
        ASSERT_NE(db_->conn(), nullptr);
        config_path_ = WriteFile("server.conf", db_->ConfigText());
        versions += " |";
      }
      LoadBaseline(db_.get(), from);
      std::map<int, int> hits;  // kills aimed at each target in this round
      for (int kill = 0; kill < 30; kill++) {
        int version = StoredVersion();
        ASSERT_GE(version, from);
        if (version == 98) break;
        // Each target is aimed at twice at most.
        std::vector<int> ahead;
        for (int t : targets) {
          if (t >= version && hits[t] < 2) ahead.push_back(t);
        }
        if (met >= 10 && ahead.empty()) break;
        // Targets in their order; between them steps short of the next
        // target, so that every target is met and the kills spread over
        // the whole run.
        int last = ahead.empty() ? std::min(97, version + (98 - version) / 3)
                                 : ahead.front();
        int step = std::uniform_int_distribution<int>(version, last)(random);
        if (kill % 2 == 0 && !ahead.empty()) {
          step = ahead.front();
          hits[step]++;
        }
        int delay = std::uniform_int_distribution<int>(
            0, std::max(1, durations[step]))(random);
        SCOPED_TRACE("kill in step " + std::to_string(step) + " after " +
                     std::to_string(delay) + " ms");
        ChildProcess run;
        ASSERT_TRUE(
            run.Start(SchemonPath(), {"-c", config_path_, "-f", "upgrade"}));
        bool reached = run.WaitForOutput(StepLines(step, step + 1), 300000);
        std::this_thread::sleep_for(std::chrono::milliseconds(delay));
        run.Signal(SIGKILL);
        ASSERT_TRUE(run.Wait(30000));
        WaitForServerSessionsToEnd();
        // The run killed is the rerun of the one killed before it.
        EXPECT_EQ(run.out().find("SQL query failed"), std::string::npos)
            << run.out();
        EXPECT_EQ(run.out().find("Database upgrade failed"),
                  std::string::npos)
            << run.out();
        ASSERT_TRUE(reached) << run.out();
        int now = StoredVersion();
        ASSERT_GE(now, version);
        versions += " " + std::to_string(step) + ">" + std::to_string(now);
        if (run.out().find("Database upgrade succeeded") ==
            std::string::npos) {
          met++;
        }
        for (const RebuiltTable& t : rebuilt) {
          std::string count = db_->Scalar(t.count);
          EXPECT_EQ(allowed[t.table].count(count), 1u)
              << t.table << " holds " << count << " rows";
        }
      }
      ExpectLastRunEndsLike(reference.get());
    }
    printf("kills (step>version after):%s\n", versions.c_str());
    EXPECT_GE(met, 10) << versions;
  }

  // Upgrades the test database without a kill and compares every table
  // with reference.
  void ExpectLastRunEndsLike(TestDatabase* reference) {
    RunResult last = Run({"-f", "upgrade"});
    EXPECT_EQ(last.out.find("SQL query failed"), std::string::npos)
        << last.out;
    EXPECT_TRUE(
        last.out.find("Database upgrade succeeded\n") != std::string::npos ||
        last.out.find("Your database format is up to date\n") !=
            std::string::npos)
        << last.out;
    ASSERT_EQ(StoredVersion(), 98);
    EXPECT_EQ(TableNames(), TableNames(reference));
    for (const std::string& table : TableNames(reference)) {
      SCOPED_TRACE(table);
      EXPECT_EQ(ExactColumns(db_.get(), table),
                ExactColumns(reference, table));
      std::vector<std::string> got = Contents(db_.get(), table);
      std::vector<std::string> want = Contents(reference, table);
      if (got == want) continue;
      std::vector<std::string> extra, missing;
      std::set_difference(got.begin(), got.end(), want.begin(), want.end(),
                          std::back_inserter(extra));
      std::set_difference(want.begin(), want.end(), got.begin(), got.end(),
                          std::back_inserter(missing));
      ADD_FAILURE() << extra.size() << " rows more, " << missing.size()
                    << " rows missing; first more: "
                    << (extra.empty() ? "-" : extra[0]) << "; first missing: "
                    << (missing.empty() ? "-" : missing[0]);
    }
    EXPECT_EQ(db_->Scalar(std::string("SELECT COUNT(*) FROM config WHERE "
                                      "var_name='") +
                          kResumeMarkVariable + "'"),
              "0");
  }
};

TEST_P(UpgradeKillTest, From63EveryKillIsResumedAndNoRowIsLost) {
  KillAndCompare(
      63, {76, 78, 80, 86},
      {{"cond_dci_map", "SELECT COUNT(*) FROM cond_dci_map"},
       {"dci_schedules", "SELECT COUNT(*) FROM dci_schedules"},
       {"address_lists", "SELECT COUNT(*) FROM address_lists"}});
}

TEST_P(UpgradeKillTest, From14EveryKillIsResumedAndNoRowIsLost) {
  if (Baseline14Path(syntax()).empty()) GTEST_SKIP() << "no version-14 baseline";
  KillAndCompare(14, {17, 20, 24, 26, 27, 46, 52, 61},
                 {{"policy_event_list",
                   "SELECT COUNT(*) FROM policy_event_list"}});
}

INSTANTIATE_BACKEND_SUITE(UpgradeKillTest);

}  // namespace
