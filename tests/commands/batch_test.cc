// "batch" end to end: the statement grammar, tracing and the stop at the
// first failing statement, on every backend.

#include <gtest/gtest.h>

#include "support/backend_test.h"

namespace {

class BatchTest : public BackendTest {
 protected:
  void SetUp() override {
    BackendTest::SetUp();
    db_->Exec("CREATE TABLE t (n integer, s varchar(100))");
  }
  std::vector<std::vector<std::string>> Table() {
    return db_->Rows("SELECT n, s FROM t ORDER BY n");
  }
};

TEST_P(BatchTest, SendsEveryStatementOfTheGrammar) {
  std::string file = WriteFile(
      "b.sql",
      "INSERT INTO t VALUES (1,'a;b');INSERT INTO t VALUES (2,'it''s;')\n"
      ";\n\n  \n;INSERT INTO t VALUES (3,'say \"x;y\"');\r\n"
      "INSERT INTO t VALUES (4,'last')");
  RunResult r = Run({"batch", file});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.out, Banner());
  EXPECT_EQ(
      Table(),
      (std::vector<std::vector<std::string>>{
          {"1", "a;b"}, {"2", "it's;"}, {"3", "say \"x;y\""}, {"4", "last"}}));
}

TEST_P(BatchTest, TraceEchoesEachStatementAsSent) {
  std::string file = WriteFile(
      "b.sql",
      "INSERT INTO t VALUES (1,'x');\n  INSERT INTO t VALUES (2,'y');\n\n");
  RunResult r = Run({"-t", "batch", file});
  EXPECT_EQ(r.out, Banner() + std::string(">>> INSERT INTO t VALUES (1,'x')\n"
                                          ">>> \n  INSERT INTO t VALUES "
                                          "(2,'y')\n"));
  EXPECT_EQ(Table().size(), 2u);
}

TEST_P(BatchTest, StopsAtTheFirstFailingStatement) {
  const std::string bad = "INSERT INTO missing_table VALUES (3)";
  std::string file = WriteFile("b.sql",
                               "INSERT INTO t VALUES (1,'x');"
                               "INSERT INTO t VALUES (2,'y');" +
                                   bad + ";INSERT INTO t VALUES (4,'z');");
  for (bool trace : {false, true}) {
    db_->Exec("DELETE FROM t");
    RunResult r = trace ? Run({"-t", "batch", file}) : Run({"batch", file});
    EXPECT_EQ(r.exit_code, 0);
    std::string expected_start =
        std::string(Banner()) +
        (trace ? ">>> INSERT INTO t VALUES (1,'x')\n"
                 ">>> INSERT INTO t VALUES (2,'y')\n>>> " +
                     bad + "\n"
               : "") +
        "SQL query failed (";
    ASSERT_EQ(r.out.compare(0, expected_start.size(), expected_start), 0)
        << r.out;
    std::string expected_end = "):\n" + bad + "\n";
    ASSERT_GE(r.out.size(), expected_end.size());
    EXPECT_EQ(r.out.substr(r.out.size() - expected_end.size()), expected_end)
        << r.out;
    EXPECT_EQ(Table(),
              (std::vector<std::vector<std::string>>{{"1", "x"}, {"2", "y"}}));
  }
}

TEST_P(BatchTest, EmptyFilesSendNothing) {
  for (const char* content : {"", " \n\t\r\n;;\n"}) {
    RunResult r = Run({"-t", "batch", WriteFile("e.sql", content)});
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.out, Banner());
  }
}

TEST_P(BatchTest, UnreadableFileIsReported) {
  std::string path = dir_ + "/absent.sql";
  RunResult r = Run({"batch", path});
  EXPECT_EQ(r.out,
            Banner() + ("ERROR: Cannot load SQL command file " + path + "\n"));
}

INSTANTIATE_BACKEND_SUITE(BatchTest);

}  // namespace
