#include "db/driver/api_connection.h"

#include <cstdio>
#include <sstream>

namespace {

std::string Trim(const std::string& text) {
  size_t begin = text.find_first_not_of(" \t\r");
  if (begin == std::string::npos) return "";
  size_t end = text.find_last_not_of(" \t\r");
  return text.substr(begin, end - begin + 1);
}

}  // namespace

ApiConnection::ApiConnection(const std::string& config_text)
    : saved_{g_szDbDriver, g_szDbDrvParams, g_szDbServer,
             g_szDbName,   g_szDbLogin,     g_szDbPassword} {
  g_szDbDriver[0] = g_szDbDrvParams[0] = g_szDbServer[0] = 0;
  g_szDbName[0] = g_szDbLogin[0] = g_szDbPassword[0] = 0;
  std::istringstream lines(config_text);
  std::string line;
  while (std::getline(lines, line)) {
    size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    std::string key = Trim(line.substr(0, equals));
    std::string value = Trim(line.substr(equals + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
      value = value.substr(1, value.size() - 2);
    }
    struct {
      const char* key;
      char* buffer;
      size_t size;
    } targets[] = {
        {"DBDriver", g_szDbDriver, sizeof g_szDbDriver},
        {"DBDrvParams", g_szDbDrvParams, sizeof g_szDbDrvParams},
        {"DBServer", g_szDbServer, sizeof g_szDbServer},
        {"DBName", g_szDbName, sizeof g_szDbName},
        {"DBLogin", g_szDbLogin, sizeof g_szDbLogin},
        {"DBPassword", g_szDbPassword, sizeof g_szDbPassword},
    };
    for (auto& target : targets) {
      if (key == target.key) {
        snprintf(target.buffer, target.size, "%s", value.c_str());
      }
    }
  }
  if (DBInit(0, 0, 0, nullptr)) handle_ = DBConnect();
}

ApiConnection::~ApiConnection() {
  DBDisconnect(handle_);
  DBUnloadDriver();
  snprintf(g_szDbDriver, sizeof g_szDbDriver, "%s", saved_.driver.c_str());
  snprintf(g_szDbDrvParams, sizeof g_szDbDrvParams, "%s",
           saved_.params.c_str());
  snprintf(g_szDbServer, sizeof g_szDbServer, "%s", saved_.server.c_str());
  snprintf(g_szDbName, sizeof g_szDbName, "%s", saved_.name.c_str());
  snprintf(g_szDbLogin, sizeof g_szDbLogin, "%s", saved_.login.c_str());
  snprintf(g_szDbPassword, sizeof g_szDbPassword, "%s",
           saved_.password.c_str());
}
