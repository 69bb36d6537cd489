// The "init" command: fills a new, empty database from an initialisation
// script and gives the built-in user and group their unique identifiers.
#ifndef SCHEMON_COMMANDS_INIT_H_
#define SCHEMON_COMMANDS_INIT_H_

// Id of the built-in user group: the 32-bit value with only the top bit set.
#define GROUP_EVERYONE_ID static_cast<int>(0x80000000u)

// Runs the script and sets the identifiers; prints the outcome.
void DoInit(const char* script);

#endif  // SCHEMON_COMMANDS_INIT_H_
