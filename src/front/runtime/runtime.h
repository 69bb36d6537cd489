// The common runtime library: file loading, in-place text replacement,
// unique identifiers and IPv4 address text. The configuration loader has a
// header of its own (config_loader.h).
#ifndef SCHEMON_FRONT_RUNTIME_RUNTIME_H_
#define SCHEMON_FRONT_RUNTIME_RUNTIME_H_

#include <cstdint>

// Returns a malloc'ed buffer with the whole file followed by one zero byte
// that *size does not count, or null when the file cannot be read (errno
// tells why). The caller releases the buffer with free().
char* LoadFile(const char* path, uint32_t* size);

// Replaces every occurrence of pattern in text, in place. The caller
// guarantees room for the result. Returns false when pattern is empty.
bool TranslateStr(char* text, const char* pattern, const char* replacement);

// Writes the 36-character text form of a 16-byte identifier into buffer
// (at least 37 bytes) and returns buffer.
char* uuid_to_string(const unsigned char* uuid, char* buffer);

// Writes the dotted-decimal form of a host-order IPv4 address into buffer
// (at least 16 bytes) and returns buffer.
char* IpToStr(uint32_t address, char* buffer);

#endif  // SCHEMON_FRONT_RUNTIME_RUNTIME_H_
