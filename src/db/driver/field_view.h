// One value of a row-by-row result as the database handed it over: an
// integer or a real number where the backend keeps the number itself
// (SQLite), otherwise the text. Used to copy values without converting them.
#ifndef SCHEMON_DB_DRIVER_FIELD_VIEW_H_
#define SCHEMON_DB_DRIVER_FIELD_VIEW_H_

#include <cstddef>
#include <cstdint>

namespace driver {

struct FieldView {
  enum Kind { kNull, kInteger, kReal, kText };
  Kind kind = kNull;
  int64_t integer = 0;  // kInteger
  double real = 0;      // kReal
  // kText: the bytes, valid until the next fetch; not NUL-terminated.
  const char* text = nullptr;
  size_t length = 0;
};

}  // namespace driver

#endif  // SCHEMON_DB_DRIVER_FIELD_VIEW_H_
