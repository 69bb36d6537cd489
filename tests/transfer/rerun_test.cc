// "Run import again" must always work: after an import killed midway
// (nodes listed, their per-node tables partly made), and after check -f
// deleted nodes whose per-node tables stayed, the next import of a file
// clears every per-node table there is and loads the whole file.

#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <thread>

#include "support/backend_test.h"
#include "support/child_process.h"
#include "transfer/transfer_data.h"

namespace {

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() &&
         text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The ids the file's nodes lists.
std::vector<int> FileNodes(const std::string& path) {
  std::vector<int> ids;
  std::string list = FileScalar(path, "SELECT group_concat(id) FROM nodes");
  for (size_t start = 0; start < list.size();) {
    size_t end = list.find(',', start);
    if (end == std::string::npos) end = list.size();
    ids.push_back(std::stoi(list.substr(start, end - start)));
    start = end + 1;
  }
  return ids;
}

class ImportRerunTest : public BackendTest {
 protected:
  // Runs "-f import" of path and expects it to load the whole file.
  void ExpectImportCompletes(const std::string& path) {
    RunResult r = Run({"-f", "import", path});
    EXPECT_TRUE(EndsWith(r.out, "\nDatabase import complete.\n"))
        << r.out.substr(0, 4000);
    EXPECT_EQ(r.out.find("SQL query failed"), std::string::npos)
        << r.out.substr(0, 4000);
    std::vector<int> nodes = FileNodes(path);
    EXPECT_EQ(FirstDifference(TakeFileSnapshot(path, nodes),
                              TakeSnapshot(db_.get(), nodes)),
              "");
  }
};

TEST_P(ImportRerunTest, TheDemoImportsAgainAfterCheckDeletedNodes) {
  InitShipped(config_path_, syntax());
  RunResult r = Run({"batch", ShippedScriptFor("demo", syntax())});
  ASSERT_EQ(r.out.find("failed"), std::string::npos) << r.out;
  std::string file = dir_ + "/before_check.db";
  r = Run({"export", file});
  ASSERT_TRUE(EndsWith(r.out, "\nDatabase export complete.\n")) << r.out;
  // The check deletes the demo's unlinked node 112; its per-node table
  // stays.
  r = Run({"-f", "check"});
  ASSERT_NE(r.out.find("Changes was successfully committed to database\n"),
            std::string::npos)
      << r.out;
  ASSERT_EQ(db_->Scalar("SELECT count(*) FROM nodes WHERE id=112"), "0");
  ASSERT_TRUE(db_->TableExists("idata_112"));
  ExpectImportCompletes(file);
}

TEST_P(ImportRerunTest, AnImportKilledMidwayCompletesOnTheNextRun) {
  InitShipped(config_path_, syntax());
  FillHardValues(db_.get(), 1000);
  std::string file = dir_ + "/export.db";
  ASSERT_TRUE(
      EndsWith(Run({"export", file}).out, "\nDatabase export complete.\n"));
  // Every per-node table long enough for the kill to meet the first one
  // while its rows arrive.
  for (int id : kNodeIds) {
    ExecOnFile(file, "INSERT INTO idata_" + std::to_string(id) +
                         " (item_id,idata_timestamp,idata_value) WITH "
                         "RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x+1 "
                         "FROM n WHERE x<200000) SELECT x%50,x,'v'||x FROM n");
  }
  ChildProcess child;
  ASSERT_TRUE(
      child.Start(SchemonPath(), {"-c", config_path_, "-f", "import", file}));
  ASSERT_TRUE(child.WaitForOutput("Importing table idata_", 120000))
      << child.out().substr(0, 4000);
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  child.Signal(SIGKILL);
  ASSERT_TRUE(child.Wait(10000));
  // The nodes are in; at least one of their tables is not.
  ASSERT_EQ(db_->Scalar("SELECT count(*) FROM nodes"), "3");
  int missing = 0;
  for (int id : kNodeIds) {
    if (!db_->TableExists("idata_" + std::to_string(id))) missing++;
  }
  ASSERT_GT(missing, 0) << child.out();
  ExpectImportCompletes(file);
}

INSTANTIATE_BACKEND_SUITE(ImportRerunTest);

}  // namespace
