// The "check" command: the consistency check of the object tables.
#ifndef SCHEMON_CHECK_CHECK_H_
#define SCHEMON_CHECK_CHECK_H_

// Runs the command; prints its outcome.
void DoCheck();

#endif  // SCHEMON_CHECK_CHECK_H_
