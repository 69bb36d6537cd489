// MySQL bulk insert: multi-row INSERT statements of up to about 1 MiB,
// values quoted by mysql_real_escape_string (which follows the session's
// NO_BACKSLASH_ESCAPES mode).

#include <mysql.h>

#include "db/driver/bulk.h"

namespace driver {
namespace {

constexpr size_t kStatementSize = 1024 * 1024;

class MysqlBulkInsert : public BulkInsert {
 public:
  MysqlBulkInsert(MYSQL* mysql, std::string prefix, size_t columns)
      : mysql_(mysql), prefix_(std::move(prefix)), columns_(columns) {
    sql_.reserve(kStatementSize + 4096);
  }

  bool AddRow(const char* const* values, const size_t* lengths,
              std::string* error) override {
    sql_ += rows_ == 0 ? prefix_ : std::string(",");
    sql_ += '(';
    for (size_t i = 0; i < columns_; i++) {
      if (i > 0) sql_ += ',';
      if (values[i] == nullptr) {
        sql_ += "NULL";
        continue;
      }
      size_t start = sql_.size();
      sql_.resize(start + lengths[i] * 2 + 2);
      sql_[start] = '\'';
      unsigned long n = mysql_real_escape_string(mysql_, &sql_[start + 1],
                                                 values[i], lengths[i]);
      sql_.resize(start + 1 + n);
      sql_ += '\'';
    }
    sql_ += ')';
    rows_++;
    if (sql_.size() >= kStatementSize) return Flush(error);
    return true;
  }

  bool Finish(std::string* error) override { return Flush(error); }

 private:
  bool Flush(std::string* error) {
    if (rows_ == 0) return true;
    int rc = mysql_real_query(mysql_, sql_.data(), sql_.size());
    sql_.clear();
    rows_ = 0;
    if (rc != 0) {
      *error = mysql_error(mysql_);
      return false;
    }
    if (MYSQL_RES* result = mysql_store_result(mysql_)) {
      mysql_free_result(result);
    }
    return true;
  }

  MYSQL* mysql_;
  std::string prefix_;
  size_t columns_;
  std::string sql_;
  size_t rows_ = 0;
};

}  // namespace

std::unique_ptr<BulkInsert> MakeMysqlBulkInsert(
    MYSQL* mysql, const std::string& table,
    const std::vector<std::string>& columns, std::string*) {
  return std::make_unique<MysqlBulkInsert>(mysql, InsertPrefix(table, columns),
                                           columns.size());
}

}  // namespace driver
