// PostgreSQL bulk insert: COPY table (columns) FROM STDIN in text format,
// rows sent in blocks of about 256 KiB.

#include <libpq-fe.h>

#include "db/driver/bulk.h"

namespace driver {
namespace {

constexpr size_t kBlockSize = 256 * 1024;

class PgsqlBulkInsert : public BulkInsert {
 public:
  PgsqlBulkInsert(PGconn* conn, size_t columns)
      : conn_(conn), columns_(columns) {
    block_.reserve(kBlockSize + 4096);
  }

  ~PgsqlBulkInsert() override {
    if (!finished_) {
      // Abandoned: end the COPY as failed so that nothing of it remains.
      PQputCopyEnd(conn_, "bulk insert abandoned");
      while (PGresult* result = PQgetResult(conn_)) PQclear(result);
    }
  }

  bool AddRow(const char* const* values, const size_t* lengths,
              std::string* error) override {
    for (size_t i = 0; i < columns_; i++) {
      if (i > 0) block_ += '\t';
      if (values[i] == nullptr) {
        block_ += "\\N";
        continue;
      }
      const char* text = values[i];
      for (size_t k = 0; k < lengths[i]; k++) {
        char c = text[k];
        switch (c) {
          case '\\':
            block_ += "\\\\";
            break;
          case '\n':
            block_ += "\\n";
            break;
          case '\r':
            block_ += "\\r";
            break;
          case '\t':
            block_ += "\\t";
            break;
          default:
            block_ += c;
            break;
        }
      }
    }
    block_ += '\n';
    if (block_.size() >= kBlockSize) return Flush(error);
    return true;
  }

  bool Finish(std::string* error) override {
    if (!Flush(error)) return false;
    finished_ = true;
    bool ok = PQputCopyEnd(conn_, nullptr) == 1;
    if (!ok) *error = PgsqlErrorText(conn_, nullptr);
    while (PGresult* result = PQgetResult(conn_)) {
      if (ok && PQresultStatus(result) != PGRES_COMMAND_OK) {
        *error = PgsqlErrorText(conn_, result);
        ok = false;
      }
      PQclear(result);
    }
    return ok;
  }

 private:
  bool Flush(std::string* error) {
    if (block_.empty()) return true;
    if (PQputCopyData(conn_, block_.data(), static_cast<int>(block_.size())) !=
        1) {
      *error = PgsqlErrorText(conn_, nullptr);
      return false;
    }
    block_.clear();
    return true;
  }

  PGconn* conn_;
  size_t columns_;
  std::string block_;
  bool finished_ = false;
};

}  // namespace

std::unique_ptr<BulkInsert> MakePgsqlBulkInsert(
    PGconn* conn, const std::string& table,
    const std::vector<std::string>& columns, std::string* error) {
  std::string sql = "COPY " + table + " (";
  for (size_t i = 0; i < columns.size(); i++) {
    if (i > 0) sql += ',';
    sql += columns[i];
  }
  sql += ") FROM STDIN";
  PGresult* result = PQexec(conn, sql.c_str());
  ExecStatusType status =
      result != nullptr ? PQresultStatus(result) : PGRES_FATAL_ERROR;
  if (status != PGRES_COPY_IN) {
    *error = PgsqlErrorText(conn, result);
    PQclear(result);
    return nullptr;
  }
  PQclear(result);
  return std::make_unique<PgsqlBulkInsert>(conn, columns.size());
}

}  // namespace driver
