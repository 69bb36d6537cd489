// The read-ahead reader of the export: every row once and in order across
// many batches, values as the backend holds them, and a caller that stops
// early leaves the connection usable.

#include "transfer/row_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "db/driver/syntax.h"
#include "db/exec.h"
#include "front/globals.h"
#include "support/backend_test.h"

namespace {

const int kRows = 3000;
const int kBigRow = 1500;
const size_t kBigSize = 2 << 20;  // more than one batch holds

// The value of view as text; numbers as SQL would print them.
std::string Shown(const driver::FieldView& view) {
  char number[64];
  switch (view.kind) {
    case driver::FieldView::kNull:
      return "<null>";
    case driver::FieldView::kInteger:
      return std::to_string(view.integer);
    case driver::FieldView::kReal:
      snprintf(number, sizeof number, "%g", view.real);
      return number;
    case driver::FieldView::kText:
      break;
  }
  return std::string(view.text, view.length);
}

std::string ExpectedText(int id) {
  if (id % 7 == 0) return "<null>";
  return id % 11 == 0 ? "" : "v'" + std::to_string(id) + "\\#";
}

class RowReaderTest : public BackendTest {
 protected:
  void SetUp() override {
    BackendTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    const char* big = syntax() == SYNTAX_MYSQL ? "longtext" : "text";
    db_->Exec(std::string("CREATE TABLE rr (id integer not null, r real, "
                          "v varchar(255), big ") +
              big + ")");
    for (int first = 1; first <= kRows; first += 500) {
      std::string insert = "INSERT INTO rr (id,r,v,big) VALUES ";
      for (int id = first; id < first + 500; id++) {
        std::string text = ExpectedText(id);
        std::string literal =
            text == "<null>" ? "NULL" : db_->conn()->Quote(text);
        insert +=
            (id > first ? "," : "") + std::string("(") + std::to_string(id) +
            "," + (id % 2 ? "0.5" : "NULL") + "," + literal + "," +
            (id == kBigRow ? "'" + std::string(kBigSize, 'b') + "'" : "NULL") +
            ")";
      }
      db_->Exec(insert);
    }
    ConnectInProcess();
  }
};

TEST_P(RowReaderTest, EveryRowOnceInOrderWithItsValues) {
  for (bool threaded : {true, false}) {
    SCOPED_TRACE(threaded ? "on its own thread" : "in the caller's thread");
    db_async_result_t source =
        ExecSelectUnbuffered("SELECT id,r,v,big FROM rr ORDER BY id");
    ASSERT_NE(source, nullptr);
    int next_id = 1;
    int batches = 0;
    {
      RowReader reader(source, 4, threaded);
      const RowBatch* batch;
      while ((batch = reader.Next()) != nullptr) {
        batches++;
        ASSERT_EQ(batch->columns(), 4);
        for (size_t row = 0; row < batch->rows(); row++, next_id++) {
          ASSERT_EQ(Shown(batch->Value(row, 0)), std::to_string(next_id));
          EXPECT_EQ(Shown(batch->Value(row, 1)), next_id % 2 ? "0.5" : "<null>")
              << next_id;
          EXPECT_EQ(Shown(batch->Value(row, 2)), ExpectedText(next_id));
          driver::FieldView big = batch->Value(row, 3);
          if (next_id == kBigRow) {
            ASSERT_EQ(big.kind, driver::FieldView::kText);
            EXPECT_EQ(std::string(big.text, big.length),
                      std::string(kBigSize, 'b'));
          } else {
            EXPECT_EQ(big.kind, driver::FieldView::kNull) << next_id;
          }
        }
      }
      EXPECT_EQ(reader.Next(), nullptr) << "the end stays the end";
      EXPECT_EQ(reader.error(), "");
    }
    DBFreeAsyncResult(g_hDbConnection, source);
    EXPECT_EQ(next_id, kRows + 1);
    EXPECT_GT(batches, 3);
  }
  if (syntax() == SYNTAX_SQLITE && GetParam().name == std::string("sqlite")) {
    // SQLite hands over its numbers as numbers, not as their text.
    db_async_result_t source =
        ExecSelectUnbuffered("SELECT id,r FROM rr WHERE id=1");
    ASSERT_NE(source, nullptr);
    {
      RowReader reader(source, 2);
      const RowBatch* batch = reader.Next();
      ASSERT_NE(batch, nullptr);
      EXPECT_EQ(batch->Value(0, 0).kind, driver::FieldView::kInteger);
      EXPECT_EQ(batch->Value(0, 1).kind, driver::FieldView::kReal);
    }
    DBFreeAsyncResult(g_hDbConnection, source);
  }
}

TEST_P(RowReaderTest, ACallerThatStopsEarlyLeavesTheConnectionUsable) {
  for (bool threaded : {true, false}) {
    SCOPED_TRACE(threaded ? "on its own thread" : "in the caller's thread");
    db_async_result_t source =
        ExecSelectUnbuffered("SELECT id,big FROM rr ORDER BY id");
    ASSERT_NE(source, nullptr);
    {
      RowReader reader(source, 2, threaded);
      const RowBatch* batch = reader.Next();
      ASSERT_NE(batch, nullptr);
      EXPECT_EQ(Shown(batch->Value(0, 0)), "1");
    }
    DBFreeAsyncResult(g_hDbConnection, source);
    db_result_t count = ExecSelect("SELECT count(*) FROM rr");
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(DBGetFieldLong(count, 0, 0), kRows);
    DBFreeResult(count);
  }
}

INSTANTIATE_BACKEND_SUITE(RowReaderTest);

}  // namespace
