#include "transfer/node_command.h"

#include <cstdio>

#include "db/readers.h"

bool ReadNodeTableFormats(NodeTableFormats* formats) {
  char value[256];
  if (!ReadMetadataVariable("IDataTableCreationCommand", value, sizeof value,
                            "")) {
    printf(
        "ERROR: unable to determine correct query for idata tables "
        "creation\n");
    return false;
  }
  formats->create = value;
  formats->indexes.clear();
  for (size_t k = 0; k < 4; k++) {
    if (!ReadMetadataVariable(IndexCommandName(k).c_str(), value, sizeof value,
                              "") ||
        value[0] == 0) {
      break;
    }
    formats->indexes.push_back(value);
  }
  return true;
}

std::string IndexCommandName(size_t k) {
  return "IDataIndexCreationCommand_" + std::to_string(k);
}

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
