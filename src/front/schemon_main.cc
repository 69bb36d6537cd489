#include "front/schemon_main.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "db/driver/driver.h"
#include "front/command_table.h"
#include "front/config_template.h"
#include "front/globals.h"

namespace {

const char kUsage[] =
    "Usage: schemon [<options>] <command>\n"
    "Valid commands are:\n"
    "   batch <file>  : Run SQL batch file\n"
    "   check         : Check database for errors\n"
    "   export <file> : Export database to file\n"
    "   import <file> : Import database from file\n"
    "   init <file>   : Initialize database\n"
    "   reindex       : Reindex database\n"
    "   unlock        : Forced database unlock\n"
    "   upgrade       : Upgrade database to new version\n"
    "Valid options are:\n"
    "   -c <config> : Use alternate configuration file. Default is "
    "/etc/orvaned.conf\n"
    "   -f          : Force repair - do not ask for confirmation.\n"
    "   -h          : Display help and exit.\n"
    "   -I          : MySQL only - specify TYPE=InnoDB for new tables.\n"
    "   -M          : MySQL only - specify TYPE=MyISAM for new tables.\n"
    "   -t          : Enable trace mode (show executed SQL queries).\n"
    "   -v          : Display version and exit.\n"
    "   -X          : Ignore SQL errors when upgrading (USE WITH CARE!!!)\n"
    "\n";

// Parses the options into the globals. Returns false when the run must end
// after parsing (-h, -v or a bad option).
bool ParseOptions(int argc, char* argv[]) {
  bool end_run = false;
  opterr = 1;
  int option;
  while ((option = getopt(argc, argv, "c:fhIMtvX")) != -1) {
    switch (option) {
      case 'c':
        snprintf(g_szConfigPath, sizeof g_szConfigPath, "%s", optarg);
        break;
      case 'f':
        g_bRepairWithoutAsking = 1;
        break;
      case 'h':
        fputs(kUsage, stdout);
        end_run = true;
        break;
      case 'I':
        g_pszTableOptions = " TYPE=InnoDB";
        break;
      case 'M':
        g_pszTableOptions = " TYPE=MyISAM";
        break;
      case 't':
        g_bShowQueries = 1;
        break;
      case 'v':
      case '?':
        end_run = true;
        break;
      case 'X':
        g_bContinueOnError = 1;
        break;
      default:
        break;
    }
  }
  return !end_run;
}

}  // namespace

int SchemonMain(int argc, char* argv[]) {
  // Lines reach a pipe as they are printed, so that output read while the
  // tool waits for an answer is complete.
  setvbuf(stdout, nullptr, _IOLBF, 0);
  printf("Orvane Database Manager Version 0.2.29\n\n");

  // There is no registry on this platform: the built-in default stays
  // unless -c names another file.
  if (!ParseOptions(argc, argv)) return EXIT_USAGE;

  if (optind >= argc) {
    printf("Command missing. Type schemon -h for command line syntax.\n");
    return EXIT_USAGE;
  }
  const CommandEntry* command = FindCommand(argv[optind]);
  if (command == nullptr) {
    printf(
        "Invalid command \"%s\". Type schemon -h for command line "
        "syntax.\n",
        argv[optind]);
    return EXIT_USAGE;
  }
  if (command->needs_argument && argc - optind < 2) {
    printf("Required command argument missing\n");
    return EXIT_USAGE;
  }
  const char* argument = command->needs_argument ? argv[optind + 1] : nullptr;

  if (QzLoadConfig(g_szConfigPath, "", g_configTemplate, 1) != 0) {
    printf("Error loading configuration file\n");
    return EXIT_CONFIG;
  }
  if (!DBInit(0, 0, 0, nullptr)) {
    printf("Unable to load and initialize database driver \"%s\"\n",
           g_szDbDriver);
    return EXIT_DRIVER;
  }
  // Only "init" may bring a new embedded database file into being.
  g_bDbAllowCreate = !command->needs_syntax;
  g_hDbConnection = DBConnect();
  if (g_hDbConnection == nullptr) {
    printf("Unable to connect to database %s@%s as %s\n", g_szDbName,
           g_szDbServer, g_szDbLogin);
    DBUnloadDriver();
    return EXIT_CONNECT;
  }
  if (command->needs_syntax) {
    g_nDbSyntax = DBGetSyntax(g_hDbConnection);
    if (g_nDbSyntax == -1) {
      printf("Unable to determine database syntax\n");
      DBDisconnect(g_hDbConnection);
      DBUnloadDriver();
      return EXIT_SYNTAX;
    }
  }
  command->handler(argument);
  DBDisconnect(g_hDbConnection);
  g_hDbConnection = nullptr;
  DBUnloadDriver();
  return EXIT_RUN_DONE;
}
