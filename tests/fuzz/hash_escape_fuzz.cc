// Fuzz target of hash escaping. The input up to its first zero byte must
// encode to a text that can stand between single quotes (no quote,
// backslash, percent sign or control character; every "#" begins a group of
// two hex digits) and decode back to itself. The whole input, decoded as
// text in a heap block of exactly its size, must shrink or keep its length,
// and a text without "#" must decode to itself.

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>

#include "db/driver/driver.h"
#include "fuzz_checks.h"
#include "fuzz_support.h"

namespace {

bool IsUpperHex(char c) {
  return isdigit(static_cast<unsigned char>(c)) || (c >= 'A' && c <= 'F');
}

std::string CheckEncoded(const std::string& text, const char* encoded) {
  if (text.empty() && strcmp(encoded, "#00") != 0) {
    return "empty text encodes to something other than #00";
  }
  size_t length = strlen(encoded);
  if (length > 3 * text.size() + 3) return "encoded text too long";
  for (size_t i = 0; i < length; i++) {
    unsigned char c = static_cast<unsigned char>(encoded[i]);
    if (c == '#') {
      if (i + 2 >= length) return "cut # group";
      if (!IsUpperHex(encoded[i + 1]) || !IsUpperHex(encoded[i + 2])) {
        return "# not followed by two hex digits";
      }
      i += 2;
    } else if (c < 0x20 || c == 0x7F || c == '\'' || c == '"' || c == '\\' ||
               c == '%') {
      return "encoded text holds character " + std::to_string(c);
    }
  }
  return "";
}

// Decodes text in a heap block of exactly its size.
std::string Decode(const std::string& text) {
  char* block = static_cast<char*>(malloc(text.size() + 1));
  memcpy(block, text.c_str(), text.size() + 1);
  DecodeSQLString(block);
  std::string decoded = block;
  free(block);
  return decoded;
}

}  // namespace

std::string CheckHashEscape(const uint8_t* data, size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  std::string text = input.c_str();

  char* encoded = EncodeSQLString(text.c_str());
  if (encoded == nullptr) return "EncodeSQLString returned null";
  std::string problem = CheckEncoded(text, encoded);
  if (problem.empty() && Decode(encoded) != text) {
    problem = "decode(encode(x)) differs from x";
  }
  free(encoded);
  if (!problem.empty()) return problem;

  std::string decoded = Decode(text);
  if (decoded.size() > text.size()) return "decoding made the text longer";
  if (text.find('#') == std::string::npos && decoded != text) {
    return "text without # changed by decoding";
  }
  return "";
}

SCHEMON_FUZZ_TARGET(CheckHashEscape)
