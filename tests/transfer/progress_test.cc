// The live row count of export and import: on a terminal it is drawn on
// its own line and cleared before the next line; piped output has none.

#include "transfer/progress.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>

#include "db/driver/syntax.h"
#include "support/backend_test.h"
#include "transfer/transfer_data.h"

namespace {

TEST(ProgressTest, LineShowsCountAndRate) {
  char line[128];
  FormatProgress(1500000, 2.0, line, sizeof line);
  EXPECT_STREQ(line, "  1500000 rows, 750000 rows/s");
  FormatProgress(0, 0, line, sizeof line);
  EXPECT_STREQ(line, "  0 rows, 0 rows/s");
}

class ProgressTerminalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = MakeTempDir();
    conf_ = dir_ + "/c.conf";
    std::ofstream(conf_) << "DBDriver = sqlite\nDBName = " << dir_ << "/t.db\n";
    InitShipped(conf_, SYNTAX_SQLITE);
    std::string script = dir_ + "/rows.sql";
    // Enough rows for the line to be drawn several times.
    std::ofstream(script)
        << "INSERT INTO config (var_name) WITH RECURSIVE n(i) AS (SELECT 1 "
           "UNION ALL SELECT i+1 FROM n WHERE i<600000) SELECT 'v'||i FROM "
           "n;\n";
    ASSERT_EQ(RunWith(conf_, {"batch", script}).out, Banner());
  }
  void TearDown() override { RemoveTree(dir_); }

  // Runs schemon with args on a pseudo-terminal; returns what it showed.
  std::string RunOnTerminal(const std::vector<std::string>& args) {
    int master = -1;
    pid_t pid = forkpty(&master, nullptr, nullptr, nullptr);
    if (pid == 0) {
      std::string path = SchemonPath();
      std::vector<const char*> argv = {path.c_str(), "-c", conf_.c_str()};
      for (const auto& a : args) argv.push_back(a.c_str());
      argv.push_back(nullptr);
      execv(path.c_str(), const_cast<char* const*>(argv.data()));
      _exit(127);
    }
    std::string screen;
    auto deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (std::chrono::steady_clock::now() < deadline) {
      struct pollfd fd = {master, POLLIN, 0};
      if (poll(&fd, 1, 200) > 0) {
        char buffer[4096];
        ssize_t n = read(master, buffer, sizeof buffer);
        if (n <= 0) break;
        screen.append(buffer, static_cast<size_t>(n));
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

TEST_F(ProgressTerminalTest, DrawnOnATerminalAndClearedBeforeTheNextLine) {
  std::string file = dir_ + "/export.db";
  std::string screen = RunOnTerminal({"export", file});
  size_t table = screen.find("Exporting table config\r\n");
  ASSERT_NE(table, std::string::npos) << screen;
  size_t drawn = screen.find("\r  ", table);
  ASSERT_NE(drawn, std::string::npos) << screen.substr(table);
  EXPECT_NE(screen.find(" rows, ", drawn), std::string::npos);
  EXPECT_NE(screen.find("\r\033[KExporting table config_clob\r\n", drawn),
            std::string::npos)
      << screen.substr(table);

  std::string piped = RunWith(conf_, {"export", file}).out;
  EXPECT_EQ(piped.find('\r'), std::string::npos);
  EXPECT_EQ(piped.find(" rows, "), std::string::npos);
  EXPECT_NE(piped.find("Exporting table config\nExporting table config_clob\n"),
            std::string::npos);
}

}  // namespace
