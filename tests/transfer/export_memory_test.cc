// The export's memory does not grow with the table: the peak memory of an
// export of a table of 4N large rows exceeds that of N rows by far less
// than the 3N rows added. The installation's schema script given to the
// export slows down every insert of that table in the file, so that the
// source is read far ahead of the writes and only the bound on the batches
// read ahead keeps memory down.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "support/backend_test.h"
#include "transfer/transfer_data.h"

namespace {

// AddressSanitizer holds freed memory in quarantine, so a sanitized tool's
// peak grows with everything it ever allocated, bounded or not.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

const size_t kRowSize = 60000;  // MySQL's text holds 65535 bytes
const int kRows = 300;          // N: past the start-up growth

// Returns the peak memory in KiB that /proc shows for a process.
long PeakKib(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return atol(line.c_str() + 6);
  }
  return 0;
}

struct Measured {
  int exit_code = -1;
  std::string out;
  long peak_kib = 0;
};

// Runs schemon with args and the environment entry, its output into a
// file. The peak is sampled while it runs: the process's own high-water
// mark, which counts from its start and never falls.
Measured RunMeasured(const std::vector<std::string>& args,
                     const std::string& env_entry, const std::string& out) {
  Measured m;
  std::vector<std::string> argv_strings = {SchemonPath()};
  argv_strings.insert(argv_strings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : argv_strings) argv.push_back(&a[0]);
  argv.push_back(nullptr);
  std::string entry = env_entry;
  pid_t pid = fork();
  if (pid == 0) {
    putenv(&entry[0]);
    if (freopen(out.c_str(), "w", stdout) == nullptr) _exit(126);
    execv(argv[0], argv.data());
    _exit(127);
  }
  auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(5);
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    m.peak_kib = std::max(m.peak_kib, PeakKib(pid));
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      ADD_FAILURE() << "schemon hung";
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (WIFEXITED(status)) m.exit_code = WEXITSTATUS(status);
  m.out = ReadFileText(out);
  return m;
}

class ExportMemoryTest : public BackendTest {
 protected:
  // Adds count rows of kRowSize bytes to config_clob, from row first on.
  void AddRows(int first, int count) {
    for (int i = first; i < first + count; i += 10) {
      std::string insert =
          "INSERT INTO config_clob (var_name,var_value) VALUES ";
      for (int j = i; j < i + 10; j++) {
        insert += (j > i ? "," : "") + std::string("('big") +
                  std::to_string(j) + "','" +
                  std::string(kRowSize, static_cast<char>('a' + j % 26)) + "')";
      }
      db_->Exec(insert);
    }
  }

  // Writes an installation whose schema script is the shipped one with a
  // slow trigger on config_clob; returns its directory.
  std::string SlowInstallation() {
    std::string root = dir_ + "/install";
    for (const char* sub : {"", "/lib", "/lib/sql"}) {
      mkdir((root + sub).c_str(), 0700);
    }
    std::string script =
        ReadFileText(std::string(SCHEMON_SOURCE_DIR) +
                     "/lib/sql/dbschema_sqlite.sql") +
        ";\nCREATE TABLE slow_n (n integer);\n"
        "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x+1 FROM c WHERE "
        "x<300) INSERT INTO slow_n SELECT x FROM c;\n"
        "CREATE TRIGGER slow_copy AFTER INSERT ON config_clob BEGIN SELECT "
        "count(*) FROM slow_n a, slow_n b; END;\n";
    std::ofstream(root + "/lib/sql/dbschema_sqlite.sql") << script;
    return root;
  }

  // Exports N rows, then 4N, and compares the peaks.
  void CheckPeakDoesNotGrow();
};

void ExportMemoryTest::CheckPeakDoesNotGrow() {
  InitShipped(config_path_, syntax());
  std::string env = "ORVANE_INSTALL_PATH=" + SlowInstallation();
  long peaks[2] = {0, 0};
  AddRows(0, kRows);
  for (int run = 0; run < 2; run++) {
    if (run == 1) AddRows(kRows, 3 * kRows);
    std::string file = dir_ + "/export" + std::to_string(run) + ".db";
    Measured m = RunMeasured({"-c", config_path_, "export", file}, env,
                             dir_ + "/out.txt");
    EXPECT_EQ(m.exit_code, 0);
    ASSERT_NE(m.out.find("Database export complete.\n"), std::string::npos)
        << m.out;
    EXPECT_EQ(FileScalar(file, "SELECT count(*) FROM config_clob"),
              db_->Scalar("SELECT count(*) FROM config_clob"));
    peaks[run] = m.peak_kib;
  }
  // The 3N rows added hold 54 MB; a copy that kept them would grow by most
  // of that.
  long added_kib = static_cast<long>(3 * kRows * kRowSize / 1024);
  EXPECT_LT(peaks[1] - peaks[0], added_kib / 3)
      << "peak " << peaks[0] << " KiB for " << kRows << " rows, " << peaks[1]
      << " KiB for " << 4 * kRows;
}

bool ThroughOdbc(const BackendUnderTest& backend) {
  return backend.name.rfind("odbc_", 0) == 0;
}

TEST_P(ExportMemoryTest, PeakDoesNotGrowWithTheTable) {
  if (kAddressSanitizer) {
    GTEST_SKIP() << "the peak of a tool built with AddressSanitizer tells "
                    "nothing of its bound";
  }
  if (ThroughOdbc(GetParam())) {
    GTEST_SKIP() << "the ODBC drivers hold the whole result: see "
                    "DISABLED_PeakDoesNotGrowThroughOdbc";
  }
  CheckPeakDoesNotGrow();
}

// DISABLED: through ODBC the peak grows with the table (by about twice the
// rows added through psqlODBC, by about the rows added through the SQLite
// ODBC driver): both drivers fetch the whole result when the statement is
// executed unless told otherwise in the connection string
// (UseDeclareFetch=1, StepAPI=1), which the odbc backend does not do.
TEST_P(ExportMemoryTest, DISABLED_PeakDoesNotGrowThroughOdbc) {
  if (!ThroughOdbc(GetParam())) GTEST_SKIP() << "PeakDoesNotGrowWithTheTable";
  CheckPeakDoesNotGrow();
}

INSTANTIATE_BACKEND_SUITE(ExportMemoryTest);

}  // namespace
