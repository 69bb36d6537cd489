// The PostgreSQL test server named by SCHEMON_TEST_PGSQL (libpq keywords
// "host=DIR port=N user=NAME", written by tests/servers/with_servers.sh),
// and the making and dropping of databases on it, shared by the pgsql and
// odbc_pgsql test backends.
#ifndef SCHEMON_TESTS_SUPPORT_TEST_DB_PGSQL_H_
#define SCHEMON_TESTS_SUPPORT_TEST_DB_PGSQL_H_

#include <memory>
#include <optional>
#include <string>

struct PgsqlTestServer {
  std::string host;  // socket directory or host name
  std::string port;
  std::string user;  // a superuser that logs in without a password
};

// Returns the server of this run, or nullopt when SCHEMON_TEST_PGSQL is not
// set. A value that cannot be parsed ends the test program.
std::optional<PgsqlTestServer> PgsqlTestServerFromEnv();

// Creates or drops a database through an administrative connection to the
// database "postgres". Return false and fill *error on failure.
bool CreatePgsqlDatabase(const PgsqlTestServer& server, const std::string& name,
                         std::string* error);
bool DropPgsqlDatabase(const PgsqlTestServer& server, const std::string& name,
                       std::string* error);

class TestDatabase;

// Returns a new database on server (dropped when the object goes), as the
// pgsql and the odbc_pgsql backends of the suites make them.
std::unique_ptr<TestDatabase> MakePgsqlTestDatabase(
    const PgsqlTestServer& server);
std::unique_ptr<TestDatabase> MakeOdbcPgsqlTestDatabase(
    const PgsqlTestServer& server);

#endif  // SCHEMON_TESTS_SUPPORT_TEST_DB_PGSQL_H_
