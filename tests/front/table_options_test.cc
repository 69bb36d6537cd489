// -I and -M given together: the last one on the command line names the
// engine of the tables an upgrade creates on MySQL and MariaDB.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/backend_test.h"

namespace {

class TableOptionsTest : public BackendTest {};

TEST_P(TableOptionsTest, TheLastOfIAndMWins) {
  if (GetParam().name != "mysql") GTEST_SKIP() << "MySQL table options";
  const struct {
    std::vector<std::string> args;
    const char* engine;
    const char* other;
  } cases[] = {
      {{"-I", "-M", "-t", "upgrade"}, "MyISAM", "InnoDB"},
      {{"-M", "-I", "-t", "upgrade"}, "InnoDB", "MyISAM"},
      {{"-M", "-t", "upgrade", "-I", "-M"}, "MyISAM", "InnoDB"},
  };
  for (const auto& c : cases) {
    std::string joined;
    for (const auto& a : c.args) joined += a + " ";
    SCOPED_TRACE(joined);
    // A fresh version-77 database each time: step 77 to 78 creates
    // trusted_nodes.
    db_ = GetParam().create(dir_);
    ASSERT_NE(db_->conn(), nullptr);
    config_path_ = WriteFile("server.conf", db_->ConfigText());
    CreateServerTables(77);
    RunResult r = Run(c.args);
    EXPECT_NE(r.out.find("Upgrading from version 77 to 78\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("PRIMARY KEY(source_object_id,target_node_id)) "
                         "ENGINE=" +
                         std::string(c.engine) + "\n"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(r.out.find(std::string("ENGINE=") + c.other), std::string::npos)
        << r.out;
    EXPECT_EQ(db_->Scalar("SELECT engine FROM information_schema.tables "
                          "WHERE table_schema=DATABASE() AND "
                          "table_name='trusted_nodes'"),
              c.engine);
  }
}

INSTANTIATE_BACKEND_SUITE(TableOptionsTest);

}  // namespace
