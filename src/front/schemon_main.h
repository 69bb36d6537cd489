// One run of the tool: banner, options, command validation, configuration,
// driver and connection, one command handler, tear-down and the exit code.
#ifndef SCHEMON_FRONT_SCHEMON_MAIN_H_
#define SCHEMON_FRONT_SCHEMON_MAIN_H_

// Exit codes.
#define EXIT_RUN_DONE 0  // a handler ran, whatever its outcome
#define EXIT_USAGE 1     // -h, -v, bad option or command
#define EXIT_CONFIG 2    // configuration file not loaded
#define EXIT_DRIVER 3    // driver not loaded
#define EXIT_CONNECT 4   // connection failed
#define EXIT_SYNTAX 5    // database syntax unknown

// Runs the tool with the process arguments and returns the exit code.
int SchemonMain(int argc, char* argv[]);

#endif  // SCHEMON_FRONT_SCHEMON_MAIN_H_
