// SQLite test databases: a fresh file in the test's directory.

#include <gtest/gtest.h>

#include "db/driver/syntax.h"
#include "support/test_db.h"

namespace {

class SqliteTestDatabase : public TestDatabase {
 public:
  explicit SqliteTestDatabase(const std::string& dir)
      : path_(dir + "/" + UniqueDatabaseName() + ".db") {
    driver::ConnectParams params;
    params.name = path_;
    params.allow_create = true;
    std::string error;
    conn_ = driver::FindBackend("sqlite")->Connect(params, &error);
    if (conn_ == nullptr) ADD_FAILURE() << error;
  }
  ~SqliteTestDatabase() override {
    conn_.reset();
    unlink(path_.c_str());
  }
  std::string ConfigText() const override {
    return "DBDriver = sqlite\nDBName = " + path_ + "\n";
  }

 private:
  std::string path_;
};

}  // namespace

void AddSqliteBackend(std::vector<BackendUnderTest>* list) {
  list->push_back({"sqlite", SYNTAX_SQLITE,
                   [](const std::string& dir) {
                     return std::unique_ptr<TestDatabase>(
                         new SqliteTestDatabase(dir));
                   },
                   ""});
}
