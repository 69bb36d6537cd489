#include "front/config_template.h"

#include "db/driver/driver.h"

char g_szCodePage[260] = "ACP";

ConfigTemplateEntry g_configTemplate[] = {
    {"CodePage", CFG_TYPE_STRING, 0, 0, 260, 0, g_szCodePage},
    {"CreateCrashDumps", CFG_TYPE_IGNORE, 0, 0, 0, 0, nullptr},
    {"DBDriver", CFG_TYPE_STRING, 0, 0, 260, 0, g_szDbDriver},
    {"DBDrvParams", CFG_TYPE_STRING, 0, 0, 260, 0, g_szDbDrvParams},
    {"DBLogin", CFG_TYPE_STRING, 0, 0, 64, 0, g_szDbLogin},
    {"DBName", CFG_TYPE_STRING, 0, 0, 256, 0, g_szDbName},
    {"DBPassword", CFG_TYPE_STRING, 0, 0, 64, 0, g_szDbPassword},
    {"DBServer", CFG_TYPE_STRING, 0, 0, 260, 0, g_szDbServer},
    {"DumpDirectory", CFG_TYPE_IGNORE, 0, 0, 0, 0, nullptr},
    {"LogFailedSQLQueries", CFG_TYPE_IGNORE, 0, 0, 0, 0, nullptr},
    {"LogFile", CFG_TYPE_IGNORE, 0, 0, 0, 0, nullptr},
    {"Module", CFG_TYPE_IGNORE, 0, 0, 0, 0, nullptr},
    {"", CFG_TYPE_END, 0, 0, 0, 0, nullptr}};
