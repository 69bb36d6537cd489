#include "transfer/schema_path.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

TEST(SchemaPathTest, InstallDirectoryFirstThenTwoLevelsAboveTheExecutable) {
  const struct {
    const char* install_dir;
    const char* executable;
    const char* expected;
  } cases[] = {
      {"/opt/orvane", "/usr/bin/schemon",
       "/opt/orvane/lib/sql/dbschema_sqlite.sql"},
      {"", "/opt/orvane/bin/schemon",
       "/opt/orvane/lib/sql/dbschema_sqlite.sql"},
      {nullptr, "/work/main/build/schemon",
       "/work/main/lib/sql/dbschema_sqlite.sql"},
      {nullptr, "/schemon", "/lib/sql/dbschema_sqlite.sql"},
      {nullptr, "schemon", "schemon/lib/sql/dbschema_sqlite.sql"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ComposeSchemaScriptPath(c.install_dir, c.executable), c.expected)
        << c.executable;
  }
}

TEST(SchemaPathTest, BuiltBinaryFindsTheShippedScript) {
  // The build tree keeps schemon one level below the source root, as an
  // installation keeps it in <root>/bin.
  std::string binary = SCHEMON_BINARY_DEFAULT;
  if (binary.rfind(std::string(SCHEMON_SOURCE_DIR) + "/build/", 0) != 0) {
    GTEST_SKIP() << "build tree is not <source>/build";
  }
  std::string path = ComposeSchemaScriptPath(nullptr, binary);
  EXPECT_EQ(access(path.c_str(), R_OK), 0) << path;
}

}  // namespace
