#include "commands/batch.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

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
