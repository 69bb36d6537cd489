// Readers of single server variables (table config, hash-escaped values)
// and metadata entries (table metadata, plain values), with defaults for
// when the value is absent. Queries go through ExecSelect, so they are
// traced under -t and a failure is reported.
#ifndef SCHEMON_DB_READERS_H_
#define SCHEMON_DB_READERS_H_

#include <cstddef>
#include <cstdint>

// Stores the decoded value of a server variable in buffer (cut to size - 1
// bytes), or the default when it is absent. Returns true when it exists.
bool ReadServerVariable(const char* name, char* buffer, size_t size,
                        const char* default_value);

// Stores the value of a metadata entry as stored (not decoded) in buffer, or
// the default when it is absent. Returns true when it exists.
bool ReadMetadataVariable(const char* name, char* buffer, size_t size,
                          const char* default_value);

// Returns the server variable converted with base prefixes (0x hex, 0 octal),
// or the default when it does not exist.
int32_t ReadServerVariableInt(const char* name, int32_t default_value);
uint32_t ReadServerVariableUInt(const char* name, uint32_t default_value);

#endif  // SCHEMON_DB_READERS_H_
