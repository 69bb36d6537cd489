#include "transfer/row_reader.h"

#include <system_error>
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

RowReader::RowReader(db_async_result_t source, int columns, bool threaded)
    : source_(source), columns_(columns) {
  if (!threaded) return;
  try {
    thread_ = std::thread(&RowReader::Run, this);
  } catch (const std::system_error&) {
    // No thread to be had (a process limit): read in the caller's thread.
  }
}

RowReader::~RowReader() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

const RowBatch* RowReader::Next() {
  if (!thread_.joinable()) return NextInline();
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

const RowBatch* RowReader::NextInline() {
  if (ended_) return nullptr;
  if (taken_ == nullptr) taken_ = std::make_unique<RowBatch>();
  if (!Fill(taken_.get())) Finish();
  return taken_->rows_ > 0 ? taken_.get() : nullptr;
}

bool RowReader::Fill(RowBatch* batch) {
  batch->Clear(columns_);
  while (batch->rows_ < kBatchRows && batch->bytes_.size() < kBatchBytes) {
    if (!DBFetch(source_)) return false;
    for (int i = 0; i < columns_; i++) {
      batch->Append(DBGetFieldAsyncView(source_, i, &scratch_));
    }
    batch->rows_++;
  }
  return true;
}

void RowReader::Finish() {
  if (!stop_ && DBGetAsyncError(source_) != nullptr) {
    error_ = DBGetAsyncError(source_);
  }
  ended_ = true;
}

void RowReader::Run() {
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
    more = Fill(batch.get());
    std::lock_guard<std::mutex> lock(mutex_);
    if (batch->rows_ > 0) full_.push_back(std::move(batch));
    changed_.notify_all();
  }
  std::lock_guard<std::mutex> lock(mutex_);
  Finish();
  changed_.notify_all();
}
