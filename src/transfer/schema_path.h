// Where the SQLite schema script of the installation is found: below the
// directory named by ORVANE_INSTALL_PATH, or else two levels above the
// running executable (<root>/bin/schemon uses <root>/lib/sql/...).
#ifndef SCHEMON_TRANSFER_SCHEMA_PATH_H_
#define SCHEMON_TRANSFER_SCHEMA_PATH_H_

#include <string>

// The script's path below the installation root.
#define SCHEMA_SCRIPT_SUBPATH "/lib/sql/dbschema_sqlite.sql"

// Returns the script path for a configured install directory (used when
// non-empty) or else for the executable's path: its file name and the
// directory holding it are cut off (a cut that finds no "/" leaves the text
// as it was) and SCHEMA_SCRIPT_SUBPATH is appended.
std::string ComposeSchemaScriptPath(const char* install_dir,
                                    const std::string& executable_path);

// Stores the script path of this installation in *path. Returns false when
// neither the install directory is configured nor the executable's own
// path can be read.
bool GetSchemaScriptPath(std::string* path);

#endif  // SCHEMON_TRANSFER_SCHEMA_PATH_H_
