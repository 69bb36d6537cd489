// Reads a row-by-row source result on a thread of its own into bounded
// batches that the caller takes in order, so that reading the source and
// writing the copy overlap. The memory it holds does not grow with the
// number of rows: a few batches of about a megabyte (or one row each).
#ifndef SCHEMON_TRANSFER_ROW_READER_H_
#define SCHEMON_TRANSFER_ROW_READER_H_

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "db/driver/driver.h"

// Consecutive rows of the source; values as the source's backend gave them.
class RowBatch {
 public:
  size_t rows() const { return rows_; }
  int columns() const { return columns_; }
  // Returns the value of column of row; a text points into the batch and
  // stays valid while the batch is held.
  driver::FieldView Value(size_t row, int column) const;

 private:
  friend class RowReader;
  struct Field {
    driver::FieldView::Kind kind;
    int64_t integer;
    double real;
    size_t offset;  // of a text in bytes_
    size_t length;
  };
  void Clear(int columns);
  void Append(const driver::FieldView& view);

  int columns_ = 0;
  size_t rows_ = 0;
  std::vector<Field> fields_;
  std::string bytes_;
};

class RowReader {
 public:
  // Starts reading source, a result of columns columns that no other code
  // touches until the reader is destroyed. Without threaded, or when no
  // thread can be started, Next reads each batch itself.
  RowReader(db_async_result_t source, int columns, bool threaded = true);
  // Stops the reading thread (between two batches) and waits for it.
  ~RowReader();
  RowReader(const RowReader&) = delete;
  RowReader& operator=(const RowReader&) = delete;

  // Returns the next batch, or null when the source has no more rows. The
  // batch stays valid until the next call.
  const RowBatch* Next();
  // After Next returned null: the source's failure text, empty when its
  // rows simply ended.
  const std::string& error() const { return error_; }

 private:
  // The reading thread's loop.
  void Run();
  // Next without a thread.
  const RowBatch* NextInline();
  // Reads the next rows into batch; false when the source has no more.
  bool Fill(RowBatch* batch);
  // Records the source's failure, if any, and marks the end.
  void Finish();

  db_async_result_t source_;
  int columns_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::unique_ptr<RowBatch>> full_;   // read, not yet taken
  std::vector<std::unique_ptr<RowBatch>> free_;  // for reuse by the reader
  std::unique_ptr<RowBatch> taken_;              // held by the caller
  bool ended_ = false;                           // the reader has finished
  bool stop_ = false;                            // the caller has gone
  std::string error_;
  std::string scratch_;  // for values the backend cannot show in place
  std::thread thread_;
};

#endif  // SCHEMON_TRANSFER_ROW_READER_H_
