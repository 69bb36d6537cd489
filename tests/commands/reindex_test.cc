// "reindex" end to end: the guard, the eight indexes rebuilt in order on
// the right columns, and tracing of the CREATE INDEX statements only.

#include <gtest/gtest.h>

#include "db/driver/syntax.h"
#include "support/backend_test.h"
#include "support/catalog.h"
#include "support/expected_output.h"

namespace {

const struct {
  const char* index;
  const char* table;
  const char* column;
} kIndexes[] = {
    {"idx_raw_dci_values_item_id", "raw_dci_values", "item_id"},
    {"idx_event_log_event_timestamp", "event_log", "event_timestamp"},
    {"idx_thresholds_item_id", "thresholds", "item_id"},
    {"idx_thresholds_sequence", "thresholds", "sequence_number"},
    {"idx_alarm_notes_alarm_id", "alarm_notes", "alarm_id"},
    {"idx_syslog_msg_timestamp", "syslog", "msg_timestamp"},
    {"idx_snmp_trap_log_trap_timestamp", "snmp_trap_log", "trap_timestamp"},
    {"idx_address_lists_list_type", "address_lists", "list_type"},
};

class ReindexTest : public BackendTest {
 protected:
  void CreateIndexedTables() {
    db_->Exec(
        "CREATE TABLE raw_dci_values (item_id integer, other integer);\n"
        "CREATE TABLE event_log (event_timestamp integer, other integer);\n"
        "CREATE TABLE thresholds (item_id integer, sequence_number integer, "
        "other integer);\n"
        "CREATE TABLE alarm_notes (alarm_id integer, other integer);\n"
        "CREATE TABLE syslog (msg_timestamp integer, other integer);\n"
        "CREATE TABLE snmp_trap_log (trap_timestamp integer, other integer);\n"
        "CREATE TABLE address_lists (list_type integer, other integer)");
  }
};

TEST_P(ReindexTest, RebuildsEveryIndexOnItsColumn) {
  CreateServerTables();
  CreateIndexedTables();
  // Existing indexes with the same names but on the wrong column must be
  // replaced, not kept.
  for (const auto& i : kIndexes) {
    db_->Exec(std::string("CREATE INDEX ") + i.index + " ON " + i.table +
              "(other)");
  }
  RunResult r = Run({"reindex"});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.out, Banner() + std::string(ReindexCleanOutput()));
  for (const auto& i : kIndexes) {
    EXPECT_EQ(IndexColumns(db_.get(), syntax(), i.table, i.index),
              (std::vector<std::vector<std::string>>{{i.column}}))
        << i.index;
  }
}

TEST_P(ReindexTest, TraceShowsOnlyTheCreateStatements) {
  CreateServerTables();
  CreateIndexedTables();
  RunResult r = Run({"-t", "reindex"});
  std::string expected = Banner();
  for (const auto& i : kIndexes) {
    expected += std::string("Reindexing table ") + i.table + " by (" +
                i.column + ")...\n>>> CREATE INDEX " + i.index + " ON " +
                i.table + "(" + i.column + ")\n";
  }
  expected += "Database reindexing complete.\n";
  EXPECT_EQ(r.out, expected);
}

TEST_P(ReindexTest, MissingTableIsReportedAndTheListGoesOn) {
  CreateServerTables();
  CreateIndexedTables();
  db_->Exec("DROP TABLE syslog");
  RunResult r = Run({"reindex"});
  size_t report = r.out.find(
      "Reindexing table syslog by (msg_timestamp)...\nSQL query failed (");
  ASSERT_NE(report, std::string::npos) << r.out;
  EXPECT_NE(r.out.find("):\nCREATE INDEX idx_syslog_msg_timestamp ON "
                       "syslog(msg_timestamp)\nReindexing table "
                       "snmp_trap_log",
                       report),
            std::string::npos)
      << r.out;
  EXPECT_EQ(r.out.substr(r.out.size() - 30), "Database reindexing complete.\n");
  EXPECT_EQ(IndexColumns(db_.get(), syntax(), "address_lists",
                         "idx_address_lists_list_type"),
            (std::vector<std::vector<std::string>>{{"list_type"}}));
}

TEST_P(ReindexTest, GuardRefusesBeforeTouchingAnyIndex) {
  const struct {
    int version;
    const char* lock;
    std::string out;
  } cases[] = {
      {98, "server1", "Database is locked by server server1 [info text]\n"},
      {97, "UNLOCKED",
       "Your database has format version 97, this tool is compiled for "
       "version 98.\nUse \"upgrade\" command to upgrade your database "
       "first.\n"},
      {99, "UNLOCKED",
       "Your database has format version 99, this tool is compiled for "
       "version 98.\nYou need to upgrade your server before using this "
       "database.\n"},
      {60, "server1",
       "Your database has format version 60, this tool is compiled for "
       "version 98.\nUse \"upgrade\" command to upgrade your database "
       "first.\n"},
  };
  for (const auto& c : cases) {
    db_->TryExec("DROP TABLE config");
    db_->TryExec("DROP TABLE metadata");
    CreateServerTables(c.version, c.lock);
    SetConfig("DBLockInfo", "info#20text");
    RunResult r = Run({"-t", "reindex"});
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.out, Banner() + c.out) << c.version;
  }
}

TEST_P(ReindexTest, EmptyDatabaseHasVersionZero) {
  RunResult r = Run({"reindex"});
  EXPECT_EQ(r.out,
            Banner() + std::string("Your database has format version 0, this "
                                   "tool is compiled for version 98.\nUse "
                                   "\"upgrade\" command to upgrade your "
                                   "database first.\n"));
}

INSTANTIATE_BACKEND_SUITE(ReindexTest);

}  // namespace
