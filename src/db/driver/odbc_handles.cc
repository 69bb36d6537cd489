#include "db/driver/odbc_handles.h"

namespace driver {
namespace odbc {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(char32_t c, std::string* out) {
  if (c < 0x80) {
    *out += static_cast<char>(c);
  } else if (c < 0x800) {
    *out += static_cast<char>(0xC0 | (c >> 6));
    *out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    *out += static_cast<char>(0xE0 | (c >> 12));
    *out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    *out += static_cast<char>(0xF0 | (c >> 18));
    *out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    *out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Returns whether a diagnostic record says that the connection is gone: a
// connection exception (class 08); PostgreSQL ending the session for a
// shutdown or a crash (57P01, 57P02), which psqlODBC passes on; or one of
// the texts for a closed link (libpq's and psqlODBC's own) that psqlODBC
// may report as HY000.
bool IsLinkLost(const std::string& state, const std::string& message) {
  static const char* const kLibpqTexts[] = {
      "server closed the connection unexpectedly",
      "no connection to the server",
      "could not send data to server",
      "could not receive data from server",
      "The connection has been lost",
      "unable due to the connection lost",
      "communication down",
  };
  if (state.compare(0, 2, "08") == 0 || state == "57P01" || state == "57P02") {
    return true;
  }
  for (const char* text : kLibpqTexts) {
    if (message.find(text) != std::string::npos) return true;
  }
  return false;
}

}  // namespace

std::basic_string<SQLWCHAR> ToWide(const std::string& text) {
  std::basic_string<SQLWCHAR> out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    unsigned char lead = static_cast<unsigned char>(text[i]);
    size_t extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    char32_t c = lead;
    size_t used = 1;
    if (lead >= 0x80) {
      c = kReplacement;
      char32_t value = lead & (0x3F >> extra);
      size_t k = 1;
      for (; extra > 0 && k <= extra && i + k < text.size(); k++) {
        unsigned char next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) break;
        value = (value << 6) | (next & 0x3F);
      }
      if (extra > 0 && k == extra + 1 && value <= 0x10FFFF &&
          !(value >= 0xD800 && value < 0xE000)) {
        c = value;
        used = extra + 1;
      }
    }
    i += used;
    if (c >= 0x10000) {
      c -= 0x10000;
      out += static_cast<SQLWCHAR>(0xD800 + (c >> 10));
      out += static_cast<SQLWCHAR>(0xDC00 + (c & 0x3FF));
    } else {
      out += static_cast<SQLWCHAR>(c);
    }
  }
  return out;
}

std::string FromWide(const SQLWCHAR* text, size_t length) {
  std::string out;
  out.reserve(length);
  for (size_t i = 0; i < length; i++) {
    char32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < length && text[i + 1] >= 0xDC00 &&
        text[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      i++;
    } else if (c >= 0xD800 && c < 0xE000) {
      c = kReplacement;
    }
    AppendUtf8(c, &out);
  }
  return out;
}

std::string Diagnostics(SQLSMALLINT type, SQLHANDLE handle,
                        const std::string& fallback, bool* link_lost) {
  std::string text;
  for (SQLSMALLINT record = 1;; record++) {
    SQLWCHAR state[6] = {0};
    SQLINTEGER native = 0;
    SQLWCHAR message[1024];
    SQLSMALLINT length = 0;
    SQLRETURN rc = SQLGetDiagRecW(type, handle, record, state, &native, message,
                                  sizeof message / sizeof *message, &length);
    if (!SQL_SUCCEEDED(rc)) break;
    size_t used = static_cast<size_t>(length);
    size_t room = sizeof message / sizeof *message - 1;
    if (used > room) used = room;
    if (!text.empty()) text += "; ";
    std::string code = FromWide(state, 5);
    std::string said = FromWide(message, used);
    text += "[" + code + "] " + said;
    if (link_lost != nullptr && IsLinkLost(code, said)) *link_lost = true;
  }
  return text.empty() ? fallback : text;
}

}  // namespace odbc
}  // namespace driver
