#include "front/runtime/qz_string.h"

#include <cstdarg>
#include <cstdio>

void String::addFormattedString(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  int needed = vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (needed > 0) {
    size_t old_size = text_.size();
    text_.resize(old_size + static_cast<size_t>(needed) + 1);
    vsnprintf(&text_[old_size], static_cast<size_t>(needed) + 1, format, args);
    text_.resize(old_size + static_cast<size_t>(needed));
  }
  va_end(args);
}
