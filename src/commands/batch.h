// The "batch" command: runs a file of SQL statements separated by
// semicolons outside single quotes, in file order, stopping at the first
// failure. There is no comment syntax; whitespace-only pieces are skipped.
#ifndef SCHEMON_COMMANDS_BATCH_H_
#define SCHEMON_COMMANDS_BATCH_H_

// Returns true when every statement succeeded and at least one was sent.
// A file holding a zero byte is refused with a message; nothing is sent.
bool DoBatch(const char* file);

// Finds the end of the statement starting at start (the first semicolon
// outside single quotes, or end), overwrites that semicolon with a zero and
// returns where the next statement begins (end when none follows).
char* SplitNextStatement(char* start, char* end);

// Returns true when text holds only blanks, tabs, carriage returns and line
// feeds (or nothing).
bool IsWhitespaceOnly(const char* text);

#endif  // SCHEMON_COMMANDS_BATCH_H_
