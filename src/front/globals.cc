#include "front/globals.h"

char g_szConfigPath[MAX_PATH_LEN] = "/etc/orvaned.conf";
int g_bRepairWithoutAsking = 0;
int g_bShowQueries = 0;
int g_bContinueOnError = 0;
const char* g_pszTableOptions = "";
db_handle_t g_hDbConnection = nullptr;
int g_nDbSyntax = 0;
