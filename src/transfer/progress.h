// The live row count of the table being copied: one line, rewritten in
// place, shown only when standard output is a terminal and statements are
// not traced; cleared before anything else is printed.
#ifndef SCHEMON_TRANSFER_PROGRESS_H_
#define SCHEMON_TRANSFER_PROGRESS_H_

#include <cstdint>

// Starts counting the rows of one table.
void ProgressStart();

// Counts one more row; redraws the line a few times a second.
void ProgressRow();

// Clears the line if one is shown. Call before printing anything else.
void ProgressClear();

// The line for a count and rate, without the leading carriage return.
void FormatProgress(uint64_t rows, double seconds, char* buffer, int size);

#endif  // SCHEMON_TRANSFER_PROGRESS_H_
