// Fuzz target of the statement splitter that batch and init run their files
// through. The file is cut as DoBatch cuts it, in a heap block of exactly
// its size plus the terminating zero. The pieces, joined again with the
// semicolons the splitter cut at, must give back the input byte for byte;
// each cut must be the first semicolon outside single quotes, and a piece
// without a cut must hold no such semicolon.

#include <cstdlib>
#include <cstring>
#include <string>

#include "commands/batch.h"
#include "fuzz_checks.h"
#include "fuzz_support.h"

namespace {

// Returns the offset of the first semicolon outside single quotes in
// text[0, length), or length when there is none.
size_t FirstSeparator(const char* text, size_t length) {
  bool quoted = false;
  for (size_t i = 0; i < length; i++) {
    if (text[i] == '\'') quoted = !quoted;
    if (text[i] == ';' && !quoted) return i;
  }
  return length;
}

}  // namespace

std::string CheckStatementSplitter(const uint8_t* data, size_t size) {
  const char* input = reinterpret_cast<const char*>(data);
  char* buffer = static_cast<char*>(malloc(size + 1));
  memcpy(buffer, data, size);
  buffer[size] = 0;
  char* end = buffer + size;

  std::string joined;
  std::string problem;
  char* position = buffer;
  while (position < end && problem.empty()) {
    char* next = SplitNextStatement(position, end);
    if (next <= position || next > end) {
      problem = "next statement does not start after this one";
      break;
    }
    size_t begin = position - buffer;
    size_t last = next - buffer - 1;
    bool cut = buffer[last] == 0 && input[last] == ';';
    size_t length = (cut ? last : next - buffer) - begin;
    size_t expected = FirstSeparator(input + begin, size - begin);
    if (length != expected) {
      problem = "statement at offset " + std::to_string(begin) + " ends at " +
                std::to_string(begin + length) + ", first separator at " +
                std::to_string(begin + expected);
    } else if (!cut && next != end) {
      problem = "statement ends before the end without a separator";
    }
    joined.append(position, length);
    if (cut) joined += ';';
    position = next;
  }
  if (problem.empty() && joined != std::string(input, size)) {
    problem =
        "the statements joined with their separators differ from the input";
  }
  free(buffer);
  return problem;
}

SCHEMON_FUZZ_TARGET(CheckStatementSplitter)
