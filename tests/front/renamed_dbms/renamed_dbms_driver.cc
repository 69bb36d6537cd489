// An ODBC driver for the tests of a database whose product the tool cannot
// tell: it hands every call to the real driver library named by
// SCHEMON_RENAMED_DBMS_TARGET (the SQLite ODBC driver), so that the
// database behind it is real, and answers the question for the product's
// name with a name no backend knows. Built as a loadable module, not part
// of the test program.

#include <dlfcn.h>
#include <sql.h>
#include <sqlext.h>

#include <cstdlib>
#include <cstring>

namespace {

const char kDbmsName[] = "Unnamed Engine";

void* Target(const char* function) {
  static void* library = [] {
    const char* path = getenv("SCHEMON_RENAMED_DBMS_TARGET");
    return path != nullptr ? dlopen(path, RTLD_NOW | RTLD_LOCAL) : nullptr;
  }();
  return library != nullptr ? dlsym(library, function) : nullptr;
}

}  // namespace

// Each function calls the target's function of the same name.
#define FORWARD(name, params, args)                                     \
  extern "C" SQLRETURN SQL_API name params {                            \
    using Function = SQLRETURN(SQL_API*) params;                        \
    static Function target = reinterpret_cast<Function>(Target(#name)); \
    return target != nullptr ? target args : SQL_ERROR;                 \
  }

FORWARD(SQLAllocHandle, (SQLSMALLINT type, SQLHANDLE in, SQLHANDLE* out),
        (type, in, out))
FORWARD(SQLFreeHandle, (SQLSMALLINT type, SQLHANDLE handle), (type, handle))
FORWARD(SQLSetEnvAttr,
        (SQLHENV env, SQLINTEGER attr, SQLPOINTER value, SQLINTEGER length),
        (env, attr, value, length))
FORWARD(SQLGetEnvAttr,
        (SQLHENV env, SQLINTEGER attr, SQLPOINTER value, SQLINTEGER size,
         SQLINTEGER* length),
        (env, attr, value, size, length))
FORWARD(SQLSetConnectAttr,
        (SQLHDBC dbc, SQLINTEGER attr, SQLPOINTER value, SQLINTEGER length),
        (dbc, attr, value, length))
FORWARD(SQLGetConnectAttr,
        (SQLHDBC dbc, SQLINTEGER attr, SQLPOINTER value, SQLINTEGER size,
         SQLINTEGER* length),
        (dbc, attr, value, size, length))
FORWARD(SQLDriverConnect,
        (SQLHDBC dbc, SQLHWND window, SQLCHAR* in, SQLSMALLINT in_length,
         SQLCHAR* out, SQLSMALLINT out_size, SQLSMALLINT* out_length,
         SQLUSMALLINT completion),
        (dbc, window, in, in_length, out, out_size, out_length, completion))
FORWARD(SQLConnect,
        (SQLHDBC dbc, SQLCHAR* dsn, SQLSMALLINT dsn_length, SQLCHAR* user,
         SQLSMALLINT user_length, SQLCHAR* password,
         SQLSMALLINT password_length),
        (dbc, dsn, dsn_length, user, user_length, password, password_length))
FORWARD(SQLDisconnect, (SQLHDBC dbc), (dbc))
FORWARD(SQLGetDiagRec,
        (SQLSMALLINT type, SQLHANDLE handle, SQLSMALLINT record, SQLCHAR* state,
         SQLINTEGER* native, SQLCHAR* message, SQLSMALLINT size,
         SQLSMALLINT* length),
        (type, handle, record, state, native, message, size, length))
FORWARD(SQLGetDiagField,
        (SQLSMALLINT type, SQLHANDLE handle, SQLSMALLINT record,
         SQLSMALLINT field, SQLPOINTER value, SQLSMALLINT size,
         SQLSMALLINT* length),
        (type, handle, record, field, value, size, length))
FORWARD(SQLError,
        (SQLHENV env, SQLHDBC dbc, SQLHSTMT stmt, SQLCHAR* state,
         SQLINTEGER* native, SQLCHAR* message, SQLSMALLINT size,
         SQLSMALLINT* length),
        (env, dbc, stmt, state, native, message, size, length))
FORWARD(SQLEndTran,
        (SQLSMALLINT type, SQLHANDLE handle, SQLSMALLINT completion),
        (type, handle, completion))
FORWARD(SQLPrepare, (SQLHSTMT stmt, SQLCHAR* text, SQLINTEGER length),
        (stmt, text, length))
FORWARD(SQLExecute, (SQLHSTMT stmt), (stmt))
FORWARD(SQLExecDirect, (SQLHSTMT stmt, SQLCHAR* text, SQLINTEGER length),
        (stmt, text, length))
FORWARD(SQLFetch, (SQLHSTMT stmt), (stmt))
FORWARD(SQLNumResultCols, (SQLHSTMT stmt, SQLSMALLINT* count), (stmt, count))
FORWARD(SQLNumParams, (SQLHSTMT stmt, SQLSMALLINT* count), (stmt, count))
FORWARD(SQLDescribeCol,
        (SQLHSTMT stmt, SQLUSMALLINT column, SQLCHAR* name, SQLSMALLINT size,
         SQLSMALLINT* length, SQLSMALLINT* type, SQLULEN* column_size,
         SQLSMALLINT* digits, SQLSMALLINT* nullable),
        (stmt, column, name, size, length, type, column_size, digits, nullable))
FORWARD(SQLColAttribute,
        (SQLHSTMT stmt, SQLUSMALLINT column, SQLUSMALLINT field,
         SQLPOINTER text, SQLSMALLINT size, SQLSMALLINT* length,
         SQLLEN* number),
        (stmt, column, field, text, size, length, number))
FORWARD(SQLGetData,
        (SQLHSTMT stmt, SQLUSMALLINT column, SQLSMALLINT type, SQLPOINTER value,
         SQLLEN size, SQLLEN* length),
        (stmt, column, type, value, size, length))
FORWARD(SQLBindCol,
        (SQLHSTMT stmt, SQLUSMALLINT column, SQLSMALLINT type, SQLPOINTER value,
         SQLLEN size, SQLLEN* length),
        (stmt, column, type, value, size, length))
FORWARD(SQLBindParameter,
        (SQLHSTMT stmt, SQLUSMALLINT parameter, SQLSMALLINT direction,
         SQLSMALLINT c_type, SQLSMALLINT sql_type, SQLULEN column_size,
         SQLSMALLINT digits, SQLPOINTER value, SQLLEN size, SQLLEN* length),
        (stmt, parameter, direction, c_type, sql_type, column_size, digits,
         value, size, length))
FORWARD(SQLMoreResults, (SQLHSTMT stmt), (stmt))
FORWARD(SQLRowCount, (SQLHSTMT stmt, SQLLEN* count), (stmt, count))
FORWARD(SQLFreeStmt, (SQLHSTMT stmt, SQLUSMALLINT option), (stmt, option))
FORWARD(SQLCloseCursor, (SQLHSTMT stmt), (stmt))
FORWARD(SQLCancel, (SQLHSTMT stmt), (stmt))
FORWARD(SQLSetStmtAttr,
        (SQLHSTMT stmt, SQLINTEGER attr, SQLPOINTER value, SQLINTEGER length),
        (stmt, attr, value, length))
FORWARD(SQLGetStmtAttr,
        (SQLHSTMT stmt, SQLINTEGER attr, SQLPOINTER value, SQLINTEGER size,
         SQLINTEGER* length),
        (stmt, attr, value, size, length))

extern "C" SQLRETURN SQL_API SQLGetInfo(SQLHDBC dbc, SQLUSMALLINT info,
                                        SQLPOINTER value, SQLSMALLINT size,
                                        SQLSMALLINT* length) {
  if (info != SQL_DBMS_NAME) {
    using Function = SQLRETURN(SQL_API*)(SQLHDBC, SQLUSMALLINT, SQLPOINTER,
                                         SQLSMALLINT, SQLSMALLINT*);
    static Function target = reinterpret_cast<Function>(Target("SQLGetInfo"));
    return target != nullptr ? target(dbc, info, value, size, length)
                             : SQL_ERROR;
  }
  if (length != nullptr) *length = sizeof kDbmsName - 1;
  if (value != nullptr && size > 0) {
    strncpy(static_cast<char*>(value), kDbmsName, size - 1);
    static_cast<char*>(value)[size - 1] = 0;
  }
  return size > static_cast<SQLSMALLINT>(sizeof kDbmsName - 1)
             ? SQL_SUCCESS
             : SQL_SUCCESS_WITH_INFO;
}
