// String: the growable text the tool builds long statements with.
// A thin layer over std::string keeping the runtime library's operations:
// assignment, append, printf-style append and dropping trailing characters.
#ifndef SCHEMON_FRONT_RUNTIME_QZ_STRING_H_
#define SCHEMON_FRONT_RUNTIME_QZ_STRING_H_

#include <cstddef>
#include <string>

class String {
 public:
  String() = default;
  explicit String(std::string text) : text_(std::move(text)) {}

  String& operator=(const char* text) {
    text_.assign(text != nullptr ? text : "");
    return *this;
  }
  String& operator+=(const char* text) {
    if (text != nullptr) text_.append(text);
    return *this;
  }
  String& operator+=(const std::string& text) {
    text_.append(text);
    return *this;
  }

  // Appends printf-formatted text of any length.
  void addFormattedString(const char* format, ...)
      __attribute__((format(printf, 2, 3)));

  // Removes the last n characters (all of them when n exceeds the length).
  void shrink(size_t n = 1) {
    text_.resize(n >= text_.size() ? 0 : text_.size() - n);
  }

  // Returns the text, or null while the string is empty.
  const char* cstr() const { return text_.empty() ? nullptr : text_.c_str(); }
  // Returns the text; never null.
  const std::string& str() const { return text_; }
  size_t length() const { return text_.size(); }

 private:
  std::string text_;
};

#endif  // SCHEMON_FRONT_RUNTIME_QZ_STRING_H_
