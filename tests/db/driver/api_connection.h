// Opens a connection through the driver library's public API (DBInit and
// DBConnect over the configuration globals) from the configuration text of
// a test database, as schemon itself does after loading its file.
#ifndef SCHEMON_TESTS_DB_DRIVER_API_CONNECTION_H_
#define SCHEMON_TESTS_DB_DRIVER_API_CONNECTION_H_

#include <string>

#include "db/driver/driver.h"

class ApiConnection {
 public:
  // Fills the globals from "Key = Value" lines (values may be
  // double-quoted) and connects; handle() is null on failure. The globals
  // get their earlier values back when the object goes.
  explicit ApiConnection(const std::string& config_text);
  ~ApiConnection();
  ApiConnection(const ApiConnection&) = delete;
  ApiConnection& operator=(const ApiConnection&) = delete;

  db_handle_t handle() const { return handle_; }

 private:
  struct Settings {
    std::string driver, params, server, name, login, password;
  };
  Settings saved_;
  db_handle_t handle_ = nullptr;
};

#endif  // SCHEMON_TESTS_DB_DRIVER_API_CONNECTION_H_
