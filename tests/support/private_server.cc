#include "support/private_server.h"

#include <glob.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "support/backend_test.h"
#include "support/process.h"
#include "support/test_db_pgsql.h"

namespace {

std::string ScriptPath(const char* name) {
  return std::string(SCHEMON_SOURCE_DIR) + "/tests/servers/" + name;
}

RunResult Shell(const std::string& command, int timeout_seconds) {
  // The start scripts need a password for their password login, which
  // these tests never use; mariadbd lives in /usr/sbin.
  return RunProgram(
      "/bin/bash",
      {"-c",
       "export SCHEMON_TEST_PASSWORD=${SCHEMON_TEST_PASSWORD:-private-only} "
       "PATH=$PATH:/usr/sbin:/sbin; " +
           command},
      "", {}, timeout_seconds);
}

// Returns the newest PostgreSQL program directory, or "".
std::string PgsqlBinDir() {
  glob_t found;
  std::string dir;
  if (glob("/usr/lib/postgresql/*/bin/initdb", 0, nullptr, &found) == 0) {
    // glob sorts; the last is the newest when the versions have as many
    // digits.
    dir = found.gl_pathv[found.gl_pathc - 1];
    dir.resize(dir.size() - strlen("/initdb"));
  }
  globfree(&found);
  return dir;
}

// Runs probe until it succeeds, at most seconds. Returns whether it did.
template <typename Probe>
bool WaitFor(int seconds, Probe probe) {
  auto deadline =
      std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (std::chrono::steady_clock::now() < deadline) {
    if (probe()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return probe();
}

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

}  // namespace

bool PrivateServer::Installed(const std::string& backend) {
  if (backend == "pgsql") return !PgsqlBinDir().empty();
  if (backend == "mysql") {
    return Shell(
               "command -v mariadbd && command -v mariadb-install-db && "
               "command -v mariadb-admin",
               30)
               .exit_code == 0;
  }
  return false;
}

std::unique_ptr<PrivateServer> PrivateServer::Start(
    const std::string& backend) {
  std::string dir = "/tmp/schemon_private_XXXXXX";
  if (mkdtemp(&dir[0]) == nullptr) {
    ADD_FAILURE() << "mkdtemp failed";
    return nullptr;
  }
  // The PostgreSQL server runs as postgres, which must reach its directory.
  chmod(dir.c_str(), 0755);
  std::unique_ptr<PrivateServer> server(new PrivateServer(backend, dir));
  RunResult r;
  if (backend == "pgsql") {
    server->pg_bin_ = PgsqlBinDir();
    // Its own socket directory keeps it apart from the shared server; the
    // port number only names the socket.
    server->port_ = std::to_string(54400 + getpid() % 1000);
    r = Shell(Quoted(ScriptPath("pgsql_server.sh")) + " start " +
                  Quoted(dir + "/server") + " " + server->port_,
              120);
  } else {
    r = Shell(Quoted(ScriptPath("mysql_server.sh")) + " start " +
                  Quoted(dir + "/server"),
              120);
  }
  if (r.exit_code != 0) {
    ADD_FAILURE() << "the private " << backend << " server did not start:\n"
                  << r.out << r.err;
    return nullptr;
  }
  if (backend == "mysql") {
    // A killed server must keep what it committed; the start script's
    // setting, made for speed, keeps the last second's commits in the
    // server's memory only.
    r = Shell("mariadb --no-defaults --socket=" + Quoted(dir + "/server/sock") +
                  " -uroot -e 'SET GLOBAL innodb_flush_log_at_trx_commit=2'",
              30);
    if (r.exit_code != 0) {
      ADD_FAILURE() << "cannot make commits durable:\n" << r.out << r.err;
      return nullptr;
    }
  }
  return server;
}

PrivateServer::~PrivateServer() {
  const char* script =
      backend_ == "pgsql" ? "pgsql_server.sh" : "mysql_server.sh";
  Shell(Quoted(ScriptPath(script)) + " stop " + Quoted(dir_ + "/server"), 90);
  RemoveTree(dir_);
}

bool PrivateServer::Kill() {
  std::string server = dir_ + "/server";
  if (backend_ == "pgsql") {
    RunResult r =
        Shell("runuser -u postgres -- " + Quoted(pg_bin_ + "/pg_ctl") + " -D " +
                  Quoted(server + "/data") + " -m immediate -w -t 30 stop",
              60);
    return r.exit_code == 0;
  }
  std::string pid_text = ReadFileText(server + "/server.pid");
  pid_t pid = static_cast<pid_t>(atol(pid_text.c_str()));
  if (pid <= 0 || kill(pid, SIGKILL) != 0) return false;
  return WaitFor(30, [pid] { return kill(pid, 0) != 0 && errno == ESRCH; });
}

bool PrivateServer::Restart() {
  std::string server = dir_ + "/server";
  if (backend_ == "pgsql") {
    // The options of pgsql_server.sh's start.
    RunResult r =
        Shell("runuser -u postgres -- " + Quoted(pg_bin_ + "/pg_ctl") + " -D " +
                  Quoted(server + "/data") + " -l " + Quoted(server + "/log") +
                  " -w -t 60 -o \"-k " + server + " -p " + port_ +
                  " -c listen_addresses='' -c fsync=off\" start",
              90);
    return r.exit_code == 0;
  }
  // The options of mysql_server.sh's start, with durable commits (see
  // Start).
  RunResult r = Shell(
      "mariadbd --no-defaults --user=root --datadir=" +
          Quoted(server + "/data") + " --socket=" + Quoted(server + "/sock") +
          " --pid-file=" + Quoted(server + "/pid") +
          " --skip-networking --character-set-server=utf8mb4"
          " --innodb-flush-log-at-trx-commit=2 --log-error=" +
          Quoted(server + "/log") + " </dev/null >/dev/null 2>&1 & echo $! >" +
          Quoted(server + "/server.pid"),
      30);
  if (r.exit_code != 0) return false;
  return WaitFor(60, [&server] {
    return Shell("mariadb-admin --no-defaults --socket=" +
                     Quoted(server + "/sock") + " -uroot ping",
                 10)
               .exit_code == 0;
  });
}

std::unique_ptr<TestDatabase> PrivateServer::CreateDatabase(bool through_odbc) {
  std::string server = dir_ + "/server";
  if (backend_ == "pgsql") {
    PgsqlTestServer settings{server, port_, "postgres"};
    return through_odbc ? MakeOdbcPgsqlTestDatabase(settings)
                        : MakePgsqlTestDatabase(settings);
  }
  return MakeMysqlTestDatabase("socket=" + server + "/sock user=root");
}
