// "batch" and "init" refuse a file holding a zero byte before sending
// anything: the statement around it would otherwise go out cut short.

#include <gtest/gtest.h>

#include "support/backend_test.h"

namespace {

class BatchZeroByteTest : public BackendTest {
 protected:
  void SetUp() override {
    BackendTest::SetUp();
    db_->Exec("CREATE TABLE t (n integer)");
    db_->Exec("INSERT INTO t VALUES (1)");
    db_->Exec("INSERT INTO t VALUES (2)");
  }
};

TEST_P(BatchZeroByteTest, FileWithAZeroByteSendsNothing) {
  // Sent as text, the second statement would read "DELETE FROM t".
  const std::string content =
      std::string("INSERT INTO t VALUES (3);\nDELETE FROM t") + '\0' +
      " WHERE n = 2;\n";
  std::string file = WriteFile("z.sql", content);
  const std::string refusal =
      "ERROR: SQL command file " + file + " holds a zero byte at offset 39\n";
  const struct {
    std::vector<std::string> args;
    std::string out;
  } cases[] = {
      {{"-t", "batch", file}, refusal},
      {{"-t", "init", file},
       "Initializing database...\n" + refusal +
           "Database initialization failed\n"},
  };
  for (const auto& c : cases) {
    RunResult r = Run(c.args);
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.out, Banner() + c.out);
    EXPECT_EQ(db_->Rows("SELECT n FROM t ORDER BY n"),
              (std::vector<std::vector<std::string>>{{"1"}, {"2"}}));
  }
}

INSTANTIATE_BACKEND_SUITE(BatchZeroByteTest);

}  // namespace
