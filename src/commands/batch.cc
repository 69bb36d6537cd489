#include "commands/batch.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "db/exec.h"
#include "front/runtime/runtime.h"

char* SplitNextStatement(char* start, char* end) {
  bool in_quotes = false;
  for (char* p = start; p < end; p++) {
    if (*p == '\'') {
      in_quotes = !in_quotes;
    } else if (*p == ';' && !in_quotes) {
      *p = 0;
      return p + 1;
    }
  }
  return end;
}

bool IsWhitespaceOnly(const char* text) {
  for (; *text != 0; text++) {
    if (*text != ' ' && *text != '\t' && *text != '\r' && *text != '\n') {
      return false;
    }
  }
  return true;
}

bool DoBatch(const char* file) {
  uint32_t size = 0;
  char* data = LoadFile(file, &size);
  if (data == nullptr) {
    printf("ERROR: Cannot load SQL command file %s\n", file);
    return false;
  }
  // A statement is sent as zero-terminated text: one holding a zero byte
  // would go out cut short (a DELETE without its WHERE clause), so such a
  // file is refused before anything is sent.
  const char* zero = static_cast<const char*>(memchr(data, 0, size));
  if (zero != nullptr) {
    printf("ERROR: SQL command file %s holds a zero byte at offset %u\n", file,
           static_cast<unsigned>(zero - data));
    free(data);
    return false;
  }
  bool result = false;
  char* end = data + size;
  char* position = data;
  while (position < end) {
    char* next = SplitNextStatement(position, end);
    if (!IsWhitespaceOnly(position)) {
      result = ExecQuery(position);
      if (!result) break;
    }
    position = next;
  }
  free(data);
  return result;
}
