// Hash-escaped text: "#" and two hex digits stand for one byte.

#include <cstdlib>
#include <cstring>

#include "db/driver/driver.h"

namespace {

bool NeedsEscape(unsigned char c) {
  return c < 0x20 || c == '#' || c == '\'' || c == '"' || c == '%' ||
         c == '\\' || c == 0x7F;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

char* EncodeSQLString(const char* text) {
  if (text == nullptr || *text == 0) return strdup("#00");
  size_t length = 0;
  for (const char* p = text; *p != 0; p++) {
    length += NeedsEscape(static_cast<unsigned char>(*p)) ? 3 : 1;
  }
  char* out = static_cast<char*>(malloc(length + 1));
  if (out == nullptr) return nullptr;
  static const char kHex[] = "0123456789ABCDEF";
  char* q = out;
  for (const char* p = text; *p != 0; p++) {
    unsigned char c = static_cast<unsigned char>(*p);
    if (NeedsEscape(c)) {
      *q++ = '#';
      *q++ = kHex[c >> 4];
      *q++ = kHex[c & 0x0F];
    } else {
      *q++ = static_cast<char>(c);
    }
  }
  *q = 0;
  return out;
}

void DecodeSQLString(char* text) {
  if (text == nullptr) return;
  char* out = text;
  for (const char* in = text; *in != 0;) {
    if (in[0] == '#' && HexValue(in[1]) >= 0 && HexValue(in[2]) >= 0) {
      *out++ = static_cast<char>(HexValue(in[1]) * 16 + HexValue(in[2]));
      in += 3;
    } else {
      *out++ = *in++;
    }
  }
  *out = 0;
}
