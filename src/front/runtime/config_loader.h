// The configuration loader: reads a server configuration file of
// "Key = Value" lines into the destinations a template names.
// Syntax: blanks around "=" are ignored; "#" at the start of a line or after
// a blank starts a comment; "[section]" lines open a section; a value in
// double quotes keeps its blanks and any "#". Keys match case-insensitively.
#ifndef SCHEMON_FRONT_RUNTIME_CONFIG_LOADER_H_
#define SCHEMON_FRONT_RUNTIME_CONFIG_LOADER_H_

#include <cstdint>

#define CFG_TYPE_STRING 1
#define CFG_TYPE_END 3
#define CFG_TYPE_IGNORE 6

// One key the loader knows, with the type of its value and its destination.
struct ConfigTemplateEntry {
  char name[64];           // the key; the empty name ends the table
  uint8_t type;            // CFG_TYPE_*
  char separator;          // list separator; unused (0)
  uint16_t list_elements;  // unused (0)
  uint32_t buffer_size;    // size of the destination, terminator included
  uint32_t buffer_pos;     // unused (0)
  void* destination;       // receives the value; null when none
};

// Reads the file at path and stores each value whose key is in the template
// (up to the CFG_TYPE_END row) into its destination, cut to fit. Keys outside
// the template are ignored. Only keys of the given section are read; the
// empty section name means the lines before the first "[section]" header.
// With print_errors set, a failure is explained on standard output, naming
// the file (and the line for a malformed one). Returns 0 on success and
// non-zero when the file cannot be read or holds a malformed line; then no
// destination has been changed.
int QzLoadConfig(const char* path, const char* section,
                 ConfigTemplateEntry* entries, int print_errors);

#endif  // SCHEMON_FRONT_RUNTIME_CONFIG_LOADER_H_
