#include "db/readers.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "db/driver/driver.h"
#include "db/exec.h"

namespace {

// Names are pasted into the query as they are; every caller passes a
// constant of its own.
bool ReadVariable(const char* table, bool decode, const char* name,
                  char* buffer, size_t size, const char* default_value) {
  if (size == 0) return false;
  snprintf(buffer, size, "%s", default_value);
  if (strlen(name) >= 128) return false;
  char query[256];
  snprintf(query, sizeof query, "SELECT var_value FROM %s WHERE var_name='%s'",
           table, name);
  db_result_t result = ExecSelect(query);
  if (result == nullptr) return false;
  bool found = DBGetNumRows(result) > 0;
  if (found) {
    DBGetField(result, 0, 0, buffer, size);
    if (decode) DecodeSQLString(buffer);
  }
  DBFreeResult(result);
  return found;
}

}  // namespace

bool ReadServerVariable(const char* name, char* buffer, size_t size,
                        const char* default_value) {
  return ReadVariable("config", true, name, buffer, size, default_value);
}

bool ReadMetadataVariable(const char* name, char* buffer, size_t size,
                          const char* default_value) {
  return ReadVariable("metadata", false, name, buffer, size, default_value);
}

int32_t ReadServerVariableInt(const char* name, int32_t default_value) {
  char buffer[64];
  if (!ReadServerVariable(name, buffer, sizeof buffer, ""))
    return default_value;
  // Values beyond 32 bits saturate, as a 32-bit long conversion does.
  long value = strtol(buffer, nullptr, 0);
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

uint32_t ReadServerVariableUInt(const char* name, uint32_t default_value) {
  char buffer[64];
  if (!ReadServerVariable(name, buffer, sizeof buffer, ""))
    return default_value;
  // A 32-bit unsigned conversion: a negative value wraps modulo 2^32 and a
  // magnitude beyond 32 bits saturates.
  unsigned long value = strtoul(buffer, nullptr, 0);
  const char* p = buffer;
  while (isspace(static_cast<unsigned char>(*p))) p++;
  unsigned long magnitude = (*p == '-') ? 0UL - value : value;
  if (magnitude > UINT32_MAX) return UINT32_MAX;
  return static_cast<uint32_t>(value);
}
