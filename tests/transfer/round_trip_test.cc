// Export and import on every pair of backends: hard values in every core
// table and in per-node data tables survive export, import into a freshly
// initialised database and a second export unchanged.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "db/driver/syntax.h"
#include "support/backend_test.h"
#include "transfer/transfer_data.h"

namespace {

// MySQL's text type holds 65535 bytes; the other databases take 1 MiB.
constexpr size_t kLongText = 1 << 20;
constexpr size_t kMysqlLongText = 60000;

class RoundTripTest : public BackendTest {
 protected:
  // Exports the source (filled with long texts of long_size, and many_rows
  // more rows) and runs the round trip into every enabled backend for which
  // wanted() holds.
  void RoundTrip(size_t long_size, bool (*wanted)(const BackendUnderTest&),
                 int many_rows = 0) {
    InitShipped(config_path_, syntax());
    FillHardValues(db_.get(), long_size);
    if (many_rows > 0) FillManyRows(db_.get(), many_rows, 40, kMysqlLongText);
    if (HasFailure()) return;
    Snapshot original = TakeSnapshot(db_.get());
    std::string first = dir_ + "/first.db";
    RunResult r = Run({"export", first});
    ASSERT_NE(r.out.find("Database export complete.\n"), std::string::npos)
        << r.out.substr(0, 4000);
    Snapshot exported = TakeFileSnapshot(first);
    EXPECT_EQ(FirstDifference(original, exported), "") << "export file";

    for (const BackendUnderTest& target : EnabledBackends()) {
      if (!wanted(target)) continue;
      SCOPED_TRACE("into " + target.name);
      std::string target_dir = dir_ + "/" + target.name;
      mkdir(target_dir.c_str(), 0700);
      std::unique_ptr<TestDatabase> db = target.create(target_dir);
      ASSERT_NE(db->conn(), nullptr);
      std::string config = target_dir + "/server.conf";
      {
        FILE* f = fopen(config.c_str(), "w");
        fputs(db->ConfigText().c_str(), f);
        fclose(f);
      }
      InitShipped(config, target.syntax);
      r = RunWith(config, {"-f", "import", first});
      ASSERT_NE(r.out.find("Database import complete.\n"), std::string::npos)
          << r.out.substr(0, 4000);
      EXPECT_EQ(FirstDifference(original, TakeSnapshot(db.get())), "");
      std::string second = target_dir + "/second.db";
      r = RunWith(config, {"export", second});
      ASSERT_NE(r.out.find("Database export complete.\n"), std::string::npos)
          << r.out.substr(0, 4000);
      EXPECT_EQ(FirstDifference(exported, TakeFileSnapshot(second)), "")
          << "second export";
    }
  }
};

bool IsMysql(const BackendUnderTest& b) { return b.syntax == SYNTAX_MYSQL; }
bool NotMysql(const BackendUnderTest& b) { return b.syntax != SYNTAX_MYSQL; }
bool Any(const BackendUnderTest&) { return true; }

TEST_P(RoundTripTest, MegabyteTextsAmongTheOthers) {
  if (syntax() == SYNTAX_MYSQL) GTEST_SKIP() << "text holds 64 KiB on MySQL";
  RoundTrip(kLongText, NotMysql);
}

TEST_P(RoundTripTest, TextsThatFitMysql) {
  RoundTrip(kMysqlLongText, syntax() == SYNTAX_MYSQL ? Any : IsMysql);
}

// Thousands of rows, some of them long: every copy path sends them in
// batches (by count and by size) and none may lose or repeat a row at a
// batch's edge.
TEST_P(RoundTripTest, ThousandsOfRowsOverTheEdgesOfBatches) {
  RoundTrip(kMysqlLongText, Any, 2600);
}

INSTANTIATE_BACKEND_SUITE(RoundTripTest);

}  // namespace
