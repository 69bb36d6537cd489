#include "upgrade/baseline14.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "db/driver/syntax.h"

std::string Baseline14Path(int syntax) {
  const char* dialect = nullptr;
  switch (syntax) {
    case SYNTAX_MYSQL:
      dialect = "mysql";
      break;
    case SYNTAX_POSTGRESQL:
      dialect = "pgsql";
      break;
    case SYNTAX_SQLITE:
      dialect = "sqlite";
      break;
    default:
      return "";
  }
  return std::string(SCHEMON_SOURCE_DIR) +
         "/tests/upgrade/baseline14/baseline14_" + dialect + ".sql";
}

void LoadBaseline14(TestDatabase* db, int syntax) {
  std::string path = Baseline14Path(syntax);
  ASSERT_FALSE(path.empty()) << "no baseline for syntax " << syntax;
  std::ifstream file(path, std::ios::binary);
  ASSERT_TRUE(file.good()) << path;
  std::stringstream text;
  text << file.rdbuf();
  db->Exec(text.str());
}
