// Measures what the pgsql backend's per-statement savepoint costs: one-row
// INSERTs inside a transaction through the backend, against the same
// statements sent with plain libpq in the same run, and in autocommit.
// Usage: schemon_bench_statement_cost [COUNT]   with SCHEMON_TEST_PGSQL set
// ("host=DIR port=N user=U", as tests/servers/with_servers.sh exports it).

#include <libpq-fe.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>

#include "db/driver/backend.h"

namespace {

struct Server {
  std::string host, port, user;
};

bool ParseServer(const char* text, Server* server) {
  std::istringstream in(text);
  std::string word;
  while (in >> word) {
    size_t eq = word.find('=');
    if (eq == std::string::npos) continue;
    std::string key = word.substr(0, eq), value = word.substr(eq + 1);
    if (key == "host") server->host = value;
    if (key == "port") server->port = value;
    if (key == "user") server->user = value;
  }
  return !server->host.empty();
}

double Seconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start)
      .count();
}

std::string Insert(int i) {
  return "INSERT INTO bench (n, s) VALUES (" + std::to_string(i) + ",'row')";
}

// Returns seconds for count INSERTs in one transaction with plain libpq.
double RunPlain(PGconn* conn, int count) {
  PQclear(PQexec(conn, "BEGIN"));
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < count; i++) {
    PGresult* r = PQexec(conn, Insert(i).c_str());
    if (PQresultStatus(r) != PGRES_COMMAND_OK) {
      fprintf(stderr, "insert failed: %s", PQerrorMessage(conn));
      exit(1);
    }
    PQclear(r);
  }
  double seconds = Seconds(start);
  PQclear(PQexec(conn, "COMMIT"));
  return seconds;
}

// Returns seconds for count INSERTs through the backend, in one
// transaction or in autocommit.
double RunBackend(driver::Connection* conn, int count, bool transaction) {
  std::string error;
  if (transaction && !conn->Begin(&error)) {
    fprintf(stderr, "begin failed: %s\n", error.c_str());
    exit(1);
  }
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < count; i++) {
    if (!conn->Execute(Insert(i), &error)) {
      fprintf(stderr, "insert failed: %s\n", error.c_str());
      exit(1);
    }
  }
  double seconds = Seconds(start);
  if (transaction && !conn->Commit(&error)) {
    fprintf(stderr, "commit failed: %s\n", error.c_str());
    exit(1);
  }
  return seconds;
}

}  // namespace

int main(int argc, char** argv) {
  int count = argc > 1 ? atoi(argv[1]) : 5000;
  const char* env = getenv("SCHEMON_TEST_PGSQL");
  Server server;
  if (env == nullptr || !ParseServer(env, &server) || count <= 0) {
    fprintf(stderr, "set SCHEMON_TEST_PGSQL=\"host=... port=... user=...\"\n");
    return 2;
  }
  const char* admin_keys[] = {"host", "port", "user", "dbname", nullptr};
  const char* admin_values[] = {server.host.c_str(), server.port.c_str(),
                                server.user.c_str(), "postgres", nullptr};
  PGconn* admin = PQconnectdbParams(admin_keys, admin_values, 0);
  if (PQstatus(admin) != CONNECTION_OK) {
    fprintf(stderr, "%s", PQerrorMessage(admin));
    return 1;
  }
  PQsetNoticeProcessor(admin, [](void*, const char*) {}, nullptr);
  PQclear(PQexec(admin, "DROP DATABASE IF EXISTS schemon_bench"));
  PQclear(PQexec(admin, "CREATE DATABASE schemon_bench"));

  const char* values[] = {server.host.c_str(), server.port.c_str(),
                          server.user.c_str(), "schemon_bench", nullptr};
  PGconn* plain = PQconnectdbParams(admin_keys, values, 0);
  PQclear(PQexec(plain, "CREATE TABLE bench (n integer, s varchar(10))"));

  driver::ConnectParams params;
  params.server = server.host;
  params.name = "schemon_bench";
  params.login = server.user;
  params.options = "port=" + server.port;
  std::string error;
  std::unique_ptr<driver::Connection> backend =
      driver::FindBackend("pgsql")->Connect(params, &error);
  if (backend == nullptr) {
    fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }

  // A warm-up round, then the measured rounds interleaved so that both
  // sides see the same machine.
  RunPlain(plain, count / 10 + 1);
  RunBackend(backend.get(), count / 10 + 1, true);
  double plain_s = 0, guarded_s = 0, autocommit_s = 0;
  for (int round = 0; round < 3; round++) {
    plain_s += RunPlain(plain, count);
    guarded_s += RunBackend(backend.get(), count, true);
    autocommit_s += RunBackend(backend.get(), count, false);
  }
  double n = 3.0 * count;
  printf("statements per side: %.0f\n", n);
  printf("plain libpq in a transaction:      %8.1f us/statement\n",
         plain_s / n * 1e6);
  printf("backend in a transaction (guarded): %8.1f us/statement\n",
         guarded_s / n * 1e6);
  printf("backend in autocommit:              %8.1f us/statement\n",
         autocommit_s / n * 1e6);
  printf("ratio guarded/plain: %.2f  (savepoint cost %.1f us/statement)\n",
         guarded_s / plain_s, (guarded_s - plain_s) / n * 1e6);

  backend.reset();
  PQfinish(plain);
  PQclear(PQexec(admin, "DROP DATABASE schemon_bench"));
  PQfinish(admin);
  return 0;
}
