// A PostgreSQL or MariaDB server of one test's own (tests/servers/*_server.sh
// in a scratch directory, reachable only through its socket there), for the
// tests that take the server away under a running command and so must not
// stop the servers the other tests share.
#ifndef SCHEMON_TESTS_SUPPORT_PRIVATE_SERVER_H_
#define SCHEMON_TESTS_SUPPORT_PRIVATE_SERVER_H_

#include <memory>
#include <string>

#include "support/test_db.h"

class PrivateServer {
 public:
  // Returns whether the server programs of the backend ("pgsql" or
  // "mysql") are installed.
  static bool Installed(const std::string& backend);

  // Starts a server of the backend; null (after adding a test failure with
  // the scripts' output) when it does not start within a minute.
  static std::unique_ptr<PrivateServer> Start(const std::string& backend);

  // Stops the server and removes its directory.
  ~PrivateServer();

  // Takes the server away at once: PostgreSQL stopped with "-m immediate",
  // MariaDB killed with SIGKILL. Returns when it is gone (at most 30 s).
  bool Kill();

  // Starts the server again on the same data after Kill. Returns when it
  // answers (at most 60 s).
  bool Restart();

  // Returns a new database on the server, dropped when the object goes;
  // reached through psqlODBC when through_odbc is set (PostgreSQL only).
  std::unique_ptr<TestDatabase> CreateDatabase(bool through_odbc = false);

 private:
  PrivateServer(std::string backend, std::string dir)
      : backend_(std::move(backend)), dir_(std::move(dir)) {}
  bool StartServerProcess();

  std::string backend_;
  std::string dir_;     // the scratch directory; the server's is dir_/server
  std::string port_;    // PostgreSQL: the number of its socket
  std::string pg_bin_;  // PostgreSQL: the directory of its programs
};

#endif  // SCHEMON_TESTS_SUPPORT_PRIVATE_SERVER_H_
