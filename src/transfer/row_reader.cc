#include "transfer/row_reader.h"

#include <utility>

namespace {

// A batch is handed over when it holds this many rows or bytes.
const size_t kBatchRows = 1024;
const size_t kBatchBytes = 1 << 20;
// Batches read ahead of the caller.
const size_t kBatchesAhead = 3;

}  // namespace

driver::FieldView RowBatch::Value(size_t row, int column) const {
  const Field& field = fields_[row * static_cast<size_t>(columns_) +
                               static_cast<size_t>(column)];
  driver::FieldView view;
  view.kind = field.kind;
  view.integer = field.integer;
  view.real = field.real;
  if (field.kind == driver::FieldView::kText) {
    view.text = bytes_.data() + field.offset;
    view.length = field.length;
  }
  return view;
}

void RowBatch::Clear(int columns) {
  columns_ = columns;
  rows_ = 0;
  fields_.clear();
  bytes_.clear();
}

void RowBatch::Append(const driver::FieldView& view) {
  fields_.emplace_back();
  Field& field = fields_.back();
  field.kind = view.kind;
  field.integer = view.integer;
  field.real = view.real;
  field.offset = bytes_.size();
  field.length = 0;
  if (view.kind == driver::FieldView::kText) {
    bytes_.append(view.text, view.length);
    field.length = view.length;
  }
}

RowReader::RowReader(db_async_result_t source, int columns)
    : source_(source), columns_(columns), thread_(&RowReader::Run, this) {}

RowReader::~RowReader() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

const RowBatch* RowReader::Next() {
  std::unique_lock<std::mutex> lock(mutex_);
  if (taken_ != nullptr) {
    free_.push_back(std::move(taken_));
    changed_.notify_all();
  }
  changed_.wait(lock, [this] { return !full_.empty() || ended_; });
  if (full_.empty()) return nullptr;
  taken_ = std::move(full_.front());
  full_.pop_front();
  changed_.notify_all();
  return taken_.get();
}

void RowReader::Run() {
  std::string scratch;
  bool more = true;
  while (more) {
    std::unique_ptr<RowBatch> batch;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      changed_.wait(lock,
                    [this] { return stop_ || full_.size() < kBatchesAhead; });
      if (stop_) break;
      if (!free_.empty()) {
        batch = std::move(free_.back());
        free_.pop_back();
      }
    }
    if (batch == nullptr) batch = std::make_unique<RowBatch>();
    batch->Clear(columns_);
    while (batch->rows_ < kBatchRows && batch->bytes_.size() < kBatchBytes) {
      more = DBFetch(source_);
      if (!more) break;
      for (int i = 0; i < columns_; i++) {
        batch->Append(DBGetFieldAsyncView(source_, i, &scratch));
      }
      batch->rows_++;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    if (batch->rows_ > 0) full_.push_back(std::move(batch));
    changed_.notify_all();
  }
  std::lock_guard<std::mutex> lock(mutex_);
  if (!stop_ && DBGetAsyncError(source_) != nullptr) {
    error_ = DBGetAsyncError(source_);
  }
  ended_ = true;
  changed_.notify_all();
}
