#include "front/runtime/runtime.h"

#include <uuid/uuid.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

char* LoadFile(const char* path, uint32_t* size) {
  FILE* file = fopen(path, "rb");
  if (file == nullptr) return nullptr;
  size_t capacity = 65536;
  size_t used = 0;
  char* data = static_cast<char*>(malloc(capacity));
  while (data != nullptr) {
    if (capacity - used < 2) {
      // The size is reported in 32 bits; refuse what cannot be counted.
      if (capacity >= (size_t{1} << 31)) {
        free(data);
        data = nullptr;
        errno = EFBIG;
        break;
      }
      char* bigger = static_cast<char*>(realloc(data, capacity * 2));
      if (bigger == nullptr) {
        free(data);
        data = nullptr;
        break;
      }
      data = bigger;
      capacity *= 2;
    }
    size_t got = fread(data + used, 1, capacity - used - 1, file);
    used += got;
    if (got == 0) {
      if (ferror(file)) {
        int saved = errno;
        free(data);
        data = nullptr;
        errno = saved;
      }
      break;
    }
  }
  fclose(file);
  if (data == nullptr) return nullptr;
  data[used] = 0;
  if (size != nullptr) *size = static_cast<uint32_t>(used);
  return data;
}

bool TranslateStr(char* text, const char* pattern, const char* replacement) {
  size_t pattern_len = strlen(pattern);
  if (pattern_len == 0) return false;
  size_t replacement_len = strlen(replacement);
  char* pos = text;
  while ((pos = strstr(pos, pattern)) != nullptr) {
    memmove(pos + replacement_len, pos + pattern_len,
            strlen(pos + pattern_len) + 1);
    memcpy(pos, replacement, replacement_len);
    pos += replacement_len;
  }
  return true;
}

char* uuid_to_string(const unsigned char* uuid, char* buffer) {
  uuid_unparse_lower(uuid, buffer);
  return buffer;
}

char* IpToStr(uint32_t address, char* buffer) {
  snprintf(buffer, 16, "%u.%u.%u.%u", (address >> 24) & 0xFF,
           (address >> 16) & 0xFF, (address >> 8) & 0xFF, address & 0xFF);
  return buffer;
}
