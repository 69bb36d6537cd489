// The process-wide state of one run: option flags, the configuration path,
// the single database connection and its syntax code. Written while the
// options are parsed and the connection is opened, read-only afterwards.
#ifndef SCHEMON_FRONT_GLOBALS_H_
#define SCHEMON_FRONT_GLOBALS_H_

#include "db/driver/driver.h"

// The schema version this tool is built for.
#define DB_FORMAT_VERSION 98

#define MAX_PATH_LEN 260

extern char g_szConfigPath[MAX_PATH_LEN];
extern int g_bRepairWithoutAsking;     // -f
extern int g_bShowQueries;             // -t
extern int g_bContinueOnError;         // -X
extern const char* g_pszTableOptions;  // -I, -M
extern db_handle_t g_hDbConnection;
extern int g_nDbSyntax;

#endif  // SCHEMON_FRONT_GLOBALS_H_
