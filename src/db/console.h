// The console: text colours by attribute number and the yes/no question.
// Colours are ANSI sequences, written only when standard output is a
// terminal and NO_COLOR is unset; otherwise only the text is written.
#ifndef SCHEMON_DB_CONSOLE_H_
#define SCHEMON_DB_CONSOLE_H_

#define CONSOLE_NORMAL 7   // light grey
#define CONSOLE_GREEN 10   // bright green
#define CONSOLE_RED 12     // bright red
#define CONSOLE_YELLOW 14  // yellow
#define CONSOLE_WHITE 15   // bright white

// Sets the colour of the text written to standard output after it.
void SetConsoleColor(int attribute);

// Returns whether colours are written (decided once, at the first call).
bool ConsoleHasColors();

// Reads one answer key. On a terminal the key is read without echo and
// without waiting for Enter, and the terminal is restored afterwards (also
// when the process is interrupted). Returns the byte read, or -1 at the end
// of input or on a read error.
int ReadKey();

// Asks the question printed just before: returns true for yes. With -f
// prints "Y\n" at once; otherwise waits for y, Y, n or N, ignoring any
// other key. The end of input answers no.
bool AskYesNo();

#endif  // SCHEMON_DB_CONSOLE_H_
