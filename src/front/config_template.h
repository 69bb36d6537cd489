// The keys of the server configuration file that the tool reads (the six
// database keys) or accepts and ignores (the server's own keys).
#ifndef SCHEMON_FRONT_CONFIG_TEMPLATE_H_
#define SCHEMON_FRONT_CONFIG_TEMPLATE_H_

#include "front/runtime/config_loader.h"

extern char g_szCodePage[260];

// The template handed to QzLoadConfig; ends with a CFG_TYPE_END row.
extern ConfigTemplateEntry g_configTemplate[];

#endif  // SCHEMON_FRONT_CONFIG_TEMPLATE_H_
