// The lock mark: "unlock" and the guard that refuses locked databases or
// databases of another version, on every backend.

#include <gtest/gtest.h>

#include "support/backend_test.h"

namespace {

class UnlockTest : public BackendTest {};

struct UnlockCase {
  const char* name;
  const char* status;  // stored DBLockStatus; null for no row
  const char* info;    // stored DBLockInfo; null for no row
  std::vector<std::string> options;
  const char* input;
  const char* out;
  const char* status_after;
};

TEST_P(UnlockTest, AnswersAndOutcomes) {
  const char kQuestion[] =
      "Database is locked by server srv1 [10.0.0.1 host]\n"
      "Do you wish to force database unlock? (Y/N) ";
  const UnlockCase cases[] = {
      {"no row",
       nullptr,
       nullptr,
       {},
       "",
       "Database is not locked\n",
       "<none>"},
      {"unlocked",
       "UNLOCKED",
       "x",
       {},
       "",
       "Database is not locked\n",
       "UNLOCKED"},
      {"yes",
       "srv1",
       "10.0.0.1 host",
       {},
       "y",
       "Y\nDatabase lock removed\n",
       "UNLOCKED"},
      {"upper yes",
       "srv1",
       "10.0.0.1 host",
       {},
       "Y",
       "Y\nDatabase lock removed\n",
       "UNLOCKED"},
      {"no", "srv1", "10.0.0.1 host", {}, "n", "N\n", "srv1"},
      {"other keys ignored",
       "srv1",
       "10.0.0.1 host",
       {},
       "\n xq1\rN",
       "N\n",
       "srv1"},
      {"end of input", "srv1", "10.0.0.1 host", {}, "", "N\n", "srv1"},
      {"end after other keys",
       "srv1",
       "10.0.0.1 host",
       {},
       "abc\n",
       "N\n",
       "srv1"},
      {"forced",
       "srv1",
       "10.0.0.1 host",
       {"-f"},
       "",
       "Y\nDatabase lock removed\n",
       "UNLOCKED"},
  };
  for (const UnlockCase& c : cases) {
    SCOPED_TRACE(c.name);
    db_->TryExec("DROP TABLE config");
    db_->TryExec("DROP TABLE metadata");
    CreateServerTables(98, "");
    if (c.status != nullptr) SetConfig("DBLockStatus", c.status);
    if (c.info != nullptr) SetConfig("DBLockInfo", c.info);
    std::vector<std::string> args = c.options;
    args.push_back("unlock");
    RunResult r = Run(args, c.input);
    EXPECT_EQ(r.exit_code, 0);
    bool locked = c.status != nullptr && std::string(c.status) != "UNLOCKED";
    EXPECT_EQ(r.out, Banner() + std::string(locked ? kQuestion : "") + c.out);
    EXPECT_EQ(db_->Scalar("SELECT var_value FROM config WHERE "
                          "var_name='DBLockStatus'"),
              c.status_after);
    if (c.info != nullptr) {
      EXPECT_EQ(db_->Scalar("SELECT var_value FROM config WHERE "
                            "var_name='DBLockInfo'"),
                c.info);
    }
  }
}

TEST_P(UnlockTest, LockTextsAreShownDecodedAndMissingInfoIsEmpty) {
  CreateServerTables(50, "srv#20A#27s");
  RunResult r = Run({"unlock"}, "n");
  EXPECT_EQ(r.out, Banner() + std::string("Database is locked by server "
                                          "srv A's []\nDo you wish to force "
                                          "database unlock? (Y/N) N\n"));
}

TEST_P(UnlockTest, LowerCaseUnlockedIsALock) {
  CreateServerTables(98, "unlocked");
  SetConfig("DBLockInfo", "i");
  RunResult r = Run({"-t", "unlock"}, "y");
  EXPECT_EQ(
      r.out,
      Banner() + std::string("Database is locked by server unlocked [i]\n"
                             "Do you wish to force database unlock? (Y/N) Y\n"
                             ">>> UPDATE config SET var_value='UNLOCKED' where "
                             "var_name='DBLockStatus'\n"
                             "Database lock removed\n"));
}

TEST_P(UnlockTest, MissingConfigTableReadsAsNotLocked) {
  RunResult r = Run({"unlock"});
  EXPECT_EQ(r.out, Banner() + std::string("Database is not locked\n"));
}

INSTANTIATE_BACKEND_SUITE(UnlockTest);

}  // namespace
