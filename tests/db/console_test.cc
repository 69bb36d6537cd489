// The console on a real terminal: colours are written only there (and not
// with NO_COLOR), and a question takes one key press without Enter.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>

#include "support/backend_test.h"
#include "support/process.h"
#include "transfer/transfer_data.h"

namespace {

class ConsoleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = MakeTempDir();
    conf_ = dir_ + "/c.conf";
    std::ofstream(conf_) << "DBDriver = sqlite\nDBName = " << dir_ << "/t.db\n";
    std::string script = dir_ + "/s.sql";
    std::ofstream(script)
        << "CREATE TABLE config (var_name varchar(63), var_value "
           "varchar(255));INSERT INTO config VALUES ('DBLockStatus','srv');"
           "CREATE TABLE users (id integer, guid varchar(36));"
           "CREATE TABLE user_groups (id integer, guid varchar(36))";
    ASSERT_EQ(RunSchemon({"-c", conf_, "init", script}).exit_code, 0);
  }
  void TearDown() override { RemoveTree(dir_); }

  // Runs "schemon -t unlock" on a pseudo-terminal. Once the question is on
  // the screen, types keys one at a time; returns everything shown.
  std::string RunOnTerminal(const std::string& keys, bool no_color) {
    int master = -1;
    pid_t pid = forkpty(&master, nullptr, nullptr, nullptr);
    if (pid == 0) {
      if (no_color) {
        setenv("NO_COLOR", "1", 1);
      } else {
        unsetenv("NO_COLOR");
      }
      std::string path = SchemonPath();
      execl(path.c_str(), path.c_str(), "-t", "-c", conf_.c_str(), "unlock",
            static_cast<char*>(nullptr));
      _exit(127);
    }
    std::string screen;
    size_t next_key = 0;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < deadline) {
      struct pollfd fd = {master, POLLIN, 0};
      if (poll(&fd, 1, 200) > 0) {
        char buffer[4096];
        ssize_t n = read(master, buffer, sizeof buffer);
        if (n <= 0) break;
        screen.append(buffer, static_cast<size_t>(n));
      } else if (screen.find("(Y/N) ") != std::string::npos &&
                 next_key < keys.size()) {
        // One key at a time, with a pause, as a person types.
        write(master, &keys[next_key++], 1);
      }
    }
    close(master);
    int status = 0;
    waitpid(pid, &status, 0);
    return screen;
  }

  std::string dir_;
  std::string conf_;
};

TEST_F(ConsoleTest, TerminalGetsColoursAndOneKeyAnswers) {
  std::string screen = RunOnTerminal("x\r y", false);
  EXPECT_NE(screen.find("Do you wish to force database unlock? (Y/N) Y\r\n"
                        "\033[97m>>> \033[92mUPDATE config SET "
                        "var_value='UNLOCKED' where var_name='DBLockStatus'"
                        "\r\n\033[0mDatabase lock removed\r\n"),
            std::string::npos)
      << screen;
  // The ignored keys are not echoed.
  EXPECT_EQ(screen.find("x"), std::string::npos) << screen;
}

// Ctrl-D in the middle of ignored keys answers no at once: the "y" typed
// after it would unlock were the Ctrl-D ignored like the other keys.
TEST_F(ConsoleTest, CtrlDAnswersNo) {
  std::string screen = RunOnTerminal(std::string("x \x04y"), true);
  EXPECT_NE(screen.find("Do you wish to force database unlock? (Y/N) N\r\n"),
            std::string::npos)
      << screen;
  EXPECT_EQ(screen.find("Database lock removed"), std::string::npos) << screen;
  EXPECT_EQ(FileScalar(dir_ + "/t.db",
                       "SELECT var_value FROM config WHERE "
                       "var_name='DBLockStatus'"),
            "srv");
}

TEST_F(ConsoleTest, NoColorKeepsTheTerminalPlain) {
  std::string screen = RunOnTerminal("n", true);
  EXPECT_EQ(screen.find('\033'), std::string::npos) << screen;
  EXPECT_NE(screen.find("(Y/N) N\r\n"), std::string::npos) << screen;
}

}  // namespace
