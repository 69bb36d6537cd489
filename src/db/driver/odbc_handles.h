// Owning wrappers of the ODBC handles (environment, connection, statement)
// and the text helpers of the odbc backend: UTF-8 to and from the
// driver manager's wide characters, and the texts of diagnostic records.
#ifndef SCHEMON_DB_DRIVER_ODBC_HANDLES_H_
#define SCHEMON_DB_DRIVER_ODBC_HANDLES_H_

#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>

#include <string>
#include <utility>

namespace driver {
namespace odbc {

// One ODBC handle of the given type, freed on destruction. A connection
// handle is disconnected first when it was connected.
template <SQLSMALLINT kType>
class Handle {
 public:
  Handle() = default;
  ~Handle() { Reset(); }
  Handle(Handle&& other) noexcept
      : handle_(std::exchange(other.handle_, SQLHANDLE{SQL_NULL_HANDLE})),
        connected_(std::exchange(other.connected_, false)) {}
  Handle& operator=(Handle&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, SQLHANDLE{SQL_NULL_HANDLE});
      connected_ = std::exchange(other.connected_, false);
    }
    return *this;
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;

  // Allocates the handle under parent (SQL_NULL_HANDLE for an
  // environment). Returns false when the driver manager refuses.
  bool Allocate(SQLHANDLE parent) {
    Reset();
    return SQL_SUCCEEDED(SQLAllocHandle(kType, parent, &handle_));
  }

  // Marks a connection handle as connected, so that it is disconnected
  // before it is freed.
  void set_connected() { connected_ = true; }

  SQLHANDLE get() const { return handle_; }

 private:
  void Reset() {
    if (handle_ == SQL_NULL_HANDLE) return;
    if (kType == SQL_HANDLE_DBC && connected_) SQLDisconnect(handle_);
    SQLFreeHandle(kType, handle_);
    handle_ = SQL_NULL_HANDLE;
    connected_ = false;
  }

  SQLHANDLE handle_ = SQL_NULL_HANDLE;
  bool connected_ = false;
};

using EnvHandle = Handle<SQL_HANDLE_ENV>;
using DbcHandle = Handle<SQL_HANDLE_DBC>;
using StmtHandle = Handle<SQL_HANDLE_STMT>;

// UTF-8 to UTF-16 in SQLWCHAR units; invalid bytes become U+FFFD.
std::basic_string<SQLWCHAR> ToWide(const std::string& text);

// UTF-16 to UTF-8; unpaired surrogates become U+FFFD.
std::string FromWide(const SQLWCHAR* text, size_t length);

// Returns the texts of all diagnostic records of the handle, as
// "[SQLSTATE] message" joined by "; ", or fallback when there are none.
// When link_lost is given, sets *link_lost (never clears it) when a record
// says the connection is gone: a connection exception (SQLSTATE class 08:
// communication link failure, connection does not exist, ...), or what
// psqlODBC says instead (the server's shutdown codes, libpq's texts).
std::string Diagnostics(SQLSMALLINT type, SQLHANDLE handle,
                        const std::string& fallback, bool* link_lost = nullptr);

}  // namespace odbc
}  // namespace driver

#endif  // SCHEMON_DB_DRIVER_ODBC_HANDLES_H_
