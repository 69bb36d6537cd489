#include "transfer/node_command.h"

#include <cstdio>

bool FormatNodeCommand(const char* variable, const char* format, long id,
                       int max_ids, std::string* out) {
  out->clear();
  int ids = 0;
  for (const char* p = format; *p != 0; p++) {
    if (*p != '%') {
      *out += *p;
    } else if (p[1] == '%') {
      *out += '%';
      p++;
    } else if (p[1] == 'd' && ids < max_ids) {
      *out += std::to_string(id);
      ids++;
      p++;
    } else {
      printf("ERROR: %s \"%s\" is not a valid statement format\n", variable,
             format);
      return false;
    }
  }
  return true;
}
