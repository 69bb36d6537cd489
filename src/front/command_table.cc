#include "front/command_table.h"

#include <cstring>

#include "check/check.h"
#include "commands/batch.h"
#include "commands/init.h"
#include "commands/reindex.h"
#include "db/lock.h"
#include "transfer/export.h"
#include "transfer/import.h"
#include "upgrade/upgrade.h"

const CommandEntry g_commands[] = {
    {"batch", true, true, [](const char* file) { DoBatch(file); }},
    {"check", false, true, [](const char*) { DoCheck(); }},
    {"export", true, true, DoExport},
    {"import", true, true, DoImport},
    {"init", true, false, DoInit},
    {"reindex", false, true, [](const char*) { DoReindex(); }},
    {"unlock", false, true, [](const char*) { DoUnlock(); }},
    {"upgrade", false, true, [](const char*) { DoUpgrade(); }},
    {nullptr, false, false, nullptr}};

const CommandEntry* FindCommand(const char* word) {
  for (const CommandEntry* c = g_commands; c->word != nullptr; c++) {
    if (strcmp(c->word, word) == 0) return c;
  }
  return nullptr;
}
