// ODBC bulk insert: one prepared INSERT run for arrays of parameters, up to
// 1000 rows or about 4 MiB of bound values per execution. Every value is
// bound as text (wide characters where the connection uses them) and the
// driver converts it to the column's type.

#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>

#include <algorithm>
#include <cstring>
#include <limits>

#include "db/driver/bulk.h"
#include "db/driver/odbc_handles.h"

namespace driver {
namespace {

constexpr size_t kMaxRows = 1000;
constexpr size_t kMaxBoundBytes = 4 << 20;
constexpr size_t kNull = std::numeric_limits<size_t>::max();

class OdbcBulkInsert : public BulkInsert {
 public:
  OdbcBulkInsert(odbc::StmtHandle stmt, size_t columns, bool wide, bool* lost)
      : stmt_(std::move(stmt)),
        columns_(columns),
        wide_(wide),
        lost_(lost),
        widths_(columns, 1),
        buffers_(columns),
        indicators_(columns) {}

  bool AddRow(const char* const* values, const size_t* lengths,
              std::string* error) override {
    for (size_t i = 0; i < columns_; i++) {
      // Drivers may end a bound text at a NUL byte: let the caller's
      // row-by-row path report such a value instead.
      if (values[i] != nullptr && memchr(values[i], 0, lengths[i]) != nullptr) {
        *error = "a value holds a NUL byte";
        return false;
      }
    }
    // The bound arrays are as wide as the longest value of each column:
    // a row that would make them too big goes into the next execution.
    size_t row_bytes = 0;
    for (size_t i = 0; i < columns_; i++) {
      size_t width = values[i] == nullptr ? 1 : std::max<size_t>(lengths[i], 1);
      row_bytes += std::max(widths_[i], width) + 1;
    }
    if (rows_ > 0 && (rows_ + 1) * row_bytes * CharSize() > kMaxBoundBytes &&
        !Flush(error)) {
      return false;
    }
    for (size_t i = 0; i < columns_; i++) {
      if (values[i] == nullptr) {
        lengths_.push_back(kNull);
        offsets_.push_back(0);
        continue;
      }
      offsets_.push_back(bytes_.size());
      lengths_.push_back(lengths[i]);
      bytes_.append(values[i], lengths[i]);
      widths_[i] = std::max(widths_[i], std::max<size_t>(lengths[i], 1));
    }
    rows_++;
    return rows_ < kMaxRows || Flush(error);
  }

  bool Finish(std::string* error) override { return Flush(error); }

 private:
  size_t CharSize() const { return wide_ ? sizeof(SQLWCHAR) : 1; }

  // Fills the arrays of column (one value of widths_[column] characters
  // and a terminator per row) and binds them.
  bool BindColumn(size_t column, std::string* error) {
    size_t slot = (widths_[column] + 1) * CharSize();
    std::vector<char>& buffer = buffers_[column];
    std::vector<SQLLEN>& indicator = indicators_[column];
    buffer.assign(rows_ * slot, 0);
    indicator.assign(rows_, 0);
    for (size_t row = 0; row < rows_; row++) {
      size_t k = row * columns_ + column;
      if (lengths_[k] == kNull) {
        indicator[row] = SQL_NULL_DATA;
        continue;
      }
      char* target = buffer.data() + row * slot;
      if (wide_) {
        // UTF-16 never needs more units than the UTF-8 text has bytes.
        std::basic_string<SQLWCHAR> text =
            odbc::ToWide(bytes_.substr(offsets_[k], lengths_[k]));
        memcpy(target, text.data(), text.size() * sizeof(SQLWCHAR));
        indicator[row] = static_cast<SQLLEN>(text.size() * sizeof(SQLWCHAR));
      } else {
        memcpy(target, bytes_.data() + offsets_[k], lengths_[k]);
        indicator[row] = static_cast<SQLLEN>(lengths_[k]);
      }
    }
    SQLRETURN rc = SQLBindParameter(
        stmt_.get(), static_cast<SQLUSMALLINT>(column + 1), SQL_PARAM_INPUT,
        wide_ ? SQL_C_WCHAR : SQL_C_CHAR, wide_ ? SQL_WVARCHAR : SQL_VARCHAR,
        widths_[column], 0, buffer.data(), static_cast<SQLLEN>(slot),
        indicator.data());
    if (SQL_SUCCEEDED(rc)) return true;
    *error = odbc::Diagnostics(SQL_HANDLE_STMT, stmt_.get(),
                               "cannot bind the values of a row", lost_);
    return false;
  }

  bool Flush(std::string* error) {
    if (rows_ == 0) return true;
    bool ok = Execute(error);
    rows_ = 0;
    bytes_.clear();
    offsets_.clear();
    lengths_.clear();
    std::fill(widths_.begin(), widths_.end(), 1);
    return ok;
  }

  bool Execute(std::string* error) {
    for (size_t i = 0; i < columns_; i++) {
      if (!BindColumn(i, error)) return false;
    }
    std::vector<SQLUSMALLINT> status(rows_, SQL_PARAM_UNUSED);
    SQLULEN processed = 0;
    SQLSetStmtAttr(stmt_.get(), SQL_ATTR_PARAM_BIND_TYPE,
                   reinterpret_cast<SQLPOINTER>(SQL_PARAM_BIND_BY_COLUMN), 0);
    SQLSetStmtAttr(stmt_.get(), SQL_ATTR_PARAMSET_SIZE,
                   reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(rows_)),
                   0);
    SQLSetStmtAttr(stmt_.get(), SQL_ATTR_PARAM_STATUS_PTR, status.data(), 0);
    SQLSetStmtAttr(stmt_.get(), SQL_ATTR_PARAMS_PROCESSED_PTR, &processed, 0);
    SQLRETURN rc = SQLExecute(stmt_.get());
    bool ok = SQL_SUCCEEDED(rc) && processed == rows_;
    // A driver may report success for the execution and an error for
    // some of its rows.
    for (size_t row = 0; ok && row < rows_; row++) {
      ok = status[row] == SQL_PARAM_SUCCESS ||
           status[row] == SQL_PARAM_SUCCESS_WITH_INFO;
    }
    // Read before the statement is closed, which clears them.
    if (!ok) {
      *error = odbc::Diagnostics(SQL_HANDLE_STMT, stmt_.get(),
                                 "the database refused a row", lost_);
    }
    SQLFreeStmt(stmt_.get(), SQL_CLOSE);
    SQLSetStmtAttr(stmt_.get(), SQL_ATTR_PARAM_STATUS_PTR, nullptr, 0);
    SQLSetStmtAttr(stmt_.get(), SQL_ATTR_PARAMS_PROCESSED_PTR, nullptr, 0);
    return ok;
  }

  odbc::StmtHandle stmt_;
  size_t columns_;
  bool wide_;
  bool* lost_;
  std::vector<size_t> widths_;  // characters of each column's longest value
  std::vector<std::vector<char>> buffers_;
  std::vector<std::vector<SQLLEN>> indicators_;
  // The rows held back: values row after row, kNull for NULL.
  size_t rows_ = 0;
  std::string bytes_;
  std::vector<size_t> offsets_;
  std::vector<size_t> lengths_;
};

}  // namespace

std::unique_ptr<BulkInsert> MakeOdbcBulkInsert(
    void* dbc, bool wide, const std::string& table,
    const std::vector<std::string>& columns, bool* lost, std::string* error) {
  odbc::StmtHandle stmt;
  if (!stmt.Allocate(static_cast<SQLHDBC>(dbc))) {
    *error = odbc::Diagnostics(SQL_HANDLE_DBC, static_cast<SQLHDBC>(dbc),
                               "cannot allocate an ODBC statement", lost);
    return nullptr;
  }
  SQLSetStmtAttr(stmt.get(), SQL_ATTR_NOSCAN,
                 reinterpret_cast<SQLPOINTER>(SQL_NOSCAN_ON), 0);
  std::string sql = InsertPrefix(table, columns) + "(";
  for (size_t i = 0; i < columns.size(); i++) sql += i > 0 ? ",?" : "?";
  sql += ")";
  SQLRETURN rc;
  if (wide) {
    std::basic_string<SQLWCHAR> text = odbc::ToWide(sql);
    rc =
        SQLPrepareW(stmt.get(), &text[0], static_cast<SQLINTEGER>(text.size()));
  } else {
    rc = SQLPrepare(stmt.get(),
                    reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.c_str())),
                    static_cast<SQLINTEGER>(sql.size()));
  }
  if (!SQL_SUCCEEDED(rc)) {
    *error = odbc::Diagnostics(SQL_HANDLE_STMT, stmt.get(),
                               "cannot prepare the insert", lost);
    return nullptr;
  }
  return std::make_unique<OdbcBulkInsert>(std::move(stmt), columns.size(), wide,
                                          lost);
}

}  // namespace driver
