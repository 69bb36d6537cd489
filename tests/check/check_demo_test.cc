// "check" on databases made by the shipped scripts: a fresh "init" is
// clean, and the demo's planted faults are found, repaired with -f (the
// repairs fit the shipped schema) and gone in a second run, or stay when
// the commit fails.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "check/check_fixture.h"
#include "db/driver/syntax.h"

namespace {

std::string ShippedScript(const char* kind, int syntax) {
  const char* dialect = syntax == SYNTAX_POSTGRESQL ? "pgsql"
                        : syntax == SYNTAX_MYSQL    ? "mysql"
                                                    : "sqlite";
  return std::string(SCHEMON_SOURCE_DIR) + "/lib/sql/" + kind + "_" + dialect +
         ".sql";
}

// Runs on databases made by "init" (and "batch") alone.
class CheckDemoTest : public BackendTest {
 protected:
  void SetUp() override {
    BackendTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_EQ(Run({"init", ShippedScript("dbinit", syntax())}).out,
              Banner() + std::string("Initializing database...\n"
                                     "Database initialized successfully\n"));
  }
  std::string Check(const std::vector<std::string>& options) {
    std::vector<std::string> args = options;
    args.push_back("check");
    RunResult r = Run(args);
    EXPECT_EQ(r.exit_code, 0);
    return r.out.substr(std::string(Banner()).size());
  }
  static std::string Q(const std::string& text, const char* answer) {
    return "\r" + text + " (Y/N) " + answer + "\n";
  }
  // The demo run with every question answered the same. The policy's
  // events are asked about in the order the database returns them.
  std::string DemoStages(const char* a) {
    std::string events;
    for (const auto& row :
         db_->Rows("SELECT event_code FROM policy_event_list")) {
      if (row[0] == "4100") {
        events += Q("Invalid event ID 0x00001004 used. Correct?", a);
      } else if (row[0] == "-2147483639") {
        events += Q("Invalid event group ID 0x80000009 used. Correct?", a);
      }
    }
    bool yes = *a == 'Y';
    const char* word = yes ? "FIXED " : "ERROR ";
    std::string s6 =
        Q("Object 32 [Decommissioned] has invalid timestamp. "
          "Correct?",
          a);
    if (yes) {
      s6 += Q("Object 110 [lost_node_110] has invalid timestamp. Correct?", a) +
            Q("Object 212 [lost_interface_212] has invalid timestamp. "
              "Correct?",
              a);
    }
    std::string printer = "Unlinked node object 111 (\"lab-printer\")";
    std::string s1 =
        Q("Missing node object 110 properties. Create?", a) +
        Q(printer + " can be linked to subnet 22 (192.168.5.0). Link?", a) +
        (yes ? "" : Q(printer + ". Delete?", a)) +
        Q("Unlinked node object 112 (\"old-host\"). Delete?", a);
    return Stages(
        {{1, StageWithQuestions(kStageTitles[0], s1, word)},
         {2, StageWithQuestions(
                 kStageTitles[1],
                 Q("Unlinked interface object 211 (\"eth0\"). Delete?", a) +
                     Q("Missing interface object 212 properties. Create?", a),
                 word)},
         {3, StageWithQuestions(kStageTitles[2],
                                Q("Unlinked network service object 62 "
                                  "(\"SMTP\"). Delete?",
                                  a),
                                word)},
         {4, StageWithQuestions(kStageTitles[3],
                                Q("Cluster object db-cluster [50] refers to "
                                  "non-existing node 115. Dereference?",
                                  a),
                                word)},
         {5, StageWithQuestions(kStageTitles[4],
                                Q("Template 40 [Linux server] mapped to "
                                  "non-existent node 116. Correct?",
                                  a),
                                word)},
         {6, StageWithQuestions(kStageTitles[5], s6, word)},
         {7, StageWithQuestions(kStageTitles[6],
                                Q("Invalid object ID 999 used. Correct?", a) +
                                    events +
                                    Q("Invalid action ID 9 used. Correct?", a),
                                word)},
         {8, StageWithQuestions(
                 kStageTitles[7],
                 Q("Found collected data for node [102] with timestamp in "
                   "the future. Correct?",
                   a) +
                     Q("Found DCIs with last poll timestamp in the future. "
                       "Correct?",
                       a),
                 word)}});
  }
};

const char kClean[] =
    "Database doesn't contain any errors\n"
    "Database check completed\n";

TEST_P(CheckDemoTest, FreshDatabaseIsClean) {
  EXPECT_EQ(Check({}), Stages({}) + kClean);
}

TEST_P(CheckDemoTest, DemoFaultsAreReportedRepairedAndGone) {
  ASSERT_EQ(Run({"batch", ShippedScript("demo", syntax())}).out, Banner());

  // As a report only, with no answers, nothing changes.
  EXPECT_EQ(Check({}), DemoStages("N") +
                           "15 errors was found, 0 errors was corrected\n"
                           "Database still contain errors\n"
                           "Database check completed\n");
  EXPECT_EQ(db_->Scalar("SELECT count(*) FROM nodes WHERE id=112"), "1");

  std::string repaired = DemoStages("Y");
  EXPECT_EQ(Check({"-f"}), repaired +
                               "17 errors was found, 17 errors was "
                               "corrected\n"
                               "All errors in database was fixed\n"
                               "Commit changes (Y/N) Y\n"
                               "Committing changes...\n"
                               "Changes was successfully committed to "
                               "database\n"
                               "Database check completed\n");
  EXPECT_EQ(db_->Scalar("SELECT name FROM object_properties WHERE "
                        "object_id=110"),
            "lost_node_110");
  EXPECT_EQ(db_->Scalar("SELECT subnet_id FROM nsmap WHERE node_id=111"), "22");

  EXPECT_EQ(Check({}), Stages({}) + kClean);
}

TEST_P(CheckDemoTest, ACommitThatFailsSaysSoAndChangesNothing) {
  // The tool writes an SQLite database itself: a file-size limit below the
  // database's size fails the commit's writes (on the servers the server
  // writes).
  if (GetParam().name != "sqlite") GTEST_SKIP() << "an SQLite file";
  ASSERT_EQ(Run({"batch", ShippedScript("demo", syntax())}).out, Banner());
  std::string report = Check({});
  std::string file = db_->Scalar("SELECT file FROM pragma_database_list");
  struct stat st;
  ASSERT_EQ(stat(file.c_str(), &st), 0);
  RunResult r = RunProgram(
      "/bin/bash",
      {"-c",
       "trap '' XFSZ; ulimit -f " + std::to_string(st.st_size / 2048) +
           "; exec \"$0\" -c \"$1\" -f check",
       SchemonPath(), config_path_},
      "");
  EXPECT_EQ(r.out, Banner() + DemoStages("Y") +
                       "17 errors was found, 17 errors was corrected\n"
                       "All errors in database was fixed\n"
                       "Commit changes (Y/N) Y\n"
                       "Committing changes...\n"
                       "ERROR: cannot commit changes, the database was not "
                       "changed\n"
                       "disk I/O error\n"
                       "Database check aborted\n");
  EXPECT_EQ(Check({}), report);
}

INSTANTIATE_BACKEND_SUITE(CheckDemoTest);

}  // namespace
