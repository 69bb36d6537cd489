// The fast insert paths of the backends behind Connection::StartBulkInsert:
// SQLite prepared statements, PostgreSQL COPY FROM STDIN, MySQL multi-row
// INSERT statements and ODBC arrays of parameters. Each works on its
// backend's raw handle.
#ifndef SCHEMON_DB_DRIVER_BULK_H_
#define SCHEMON_DB_DRIVER_BULK_H_

#include <memory>
#include <string>
#include <vector>

#include "db/driver/backend.h"

struct sqlite3;
struct pg_conn;
struct pg_result;
struct st_mysql;

namespace driver {

// Each returns the bulk insert into table, or null with *error filled. The
// table and column names are plain identifiers (checked by the caller).
std::unique_ptr<BulkInsert> MakeSqliteBulkInsert(
    sqlite3* db, const std::string& table,
    const std::vector<std::string>& columns, std::string* error);
std::unique_ptr<BulkInsert> MakePgsqlBulkInsert(
    pg_conn* conn, const std::string& table,
    const std::vector<std::string>& columns, std::string* error);
std::unique_ptr<BulkInsert> MakeMysqlBulkInsert(
    st_mysql* mysql, const std::string& table,
    const std::vector<std::string>& columns, std::string* error);
// dbc is the connection's SQLHDBC; wide tells whether its texts go through
// the wide-character calls; *lost is the connection's mark of a lost link,
// set when a failure's diagnostics say so.
std::unique_ptr<BulkInsert> MakeOdbcBulkInsert(
    void* dbc, bool wide, const std::string& table,
    const std::vector<std::string>& columns, bool* lost, std::string* error);

// Returns libpq's text for a failed result (or the connection's when there
// is none), without the trailing line feed; shared by the PostgreSQL
// backend and its COPY path.
std::string PgsqlErrorText(pg_conn* conn, const pg_result* result);

// Returns "INSERT INTO table (c1,c2,...) VALUES " (the form both the
// prepared and the multi-row paths start with).
std::string InsertPrefix(const std::string& table,
                         const std::vector<std::string>& columns);

}  // namespace driver

#endif  // SCHEMON_DB_DRIVER_BULK_H_
