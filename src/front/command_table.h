// The command words the tool accepts, whether each needs a file argument,
// and the handler each one runs.
#ifndef SCHEMON_FRONT_COMMAND_TABLE_H_
#define SCHEMON_FRONT_COMMAND_TABLE_H_

struct CommandEntry {
  const char* word;     // compared exactly, case-sensitively
  bool needs_argument;  // the word after it is a file
  bool needs_syntax;    // g_nDbSyntax must be known before it runs
  void (*handler)(const char* argument);  // argument is null when unused
};

// The command table; ends with a null word.
extern const CommandEntry g_commands[];

// Returns the entry of the word, or null when it is no command.
const CommandEntry* FindCommand(const char* word);

#endif  // SCHEMON_FRONT_COMMAND_TABLE_H_
