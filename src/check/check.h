// The "check" command: the consistency check of the object tables. All
// stages run in one transaction, committed or rolled back at the end.
#ifndef SCHEMON_CHECK_CHECK_H_
#define SCHEMON_CHECK_CHECK_H_

// Runs the command: version and lock tests, the eight stages, the summary
// and the commit question. Prints its outcome; has no result. A lost
// connection ends the run after the stage that met it, a failed BEGIN
// before the first stage, both with "Database check aborted".
void DoCheck();

#endif  // SCHEMON_CHECK_CHECK_H_
