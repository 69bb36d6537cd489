// The core-table list against the shipped schema: the description from
// which the shipped scripts are generated names the same tables in the same
// order, each once, and a database made by "init" with a shipped script
// holds exactly these tables and the ones left out of the list on purpose.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "db/driver/syntax.h"
#include "support/backend_test.h"
#include "transfer/core_tables.h"
#include "transfer/transfer_data.h"

namespace {

// The tables that clearing, export and import leave out: the schema
// variables (each database keeps its own) and the SNMPv3 credentials.
const std::vector<std::string> kLeftOut = {"metadata", "usm_credentials"};

std::vector<std::string> CoreList() {
  return std::vector<std::string>(g_apszCoreTables,
                                  g_apszCoreTables + CORE_TABLE_COUNT);
}

// The tables of lib/sql/schema/schema.txt of a kind ("core" or "extra"), in
// the order the description gives them.
std::vector<std::string> DescribedTables(const std::string& kind) {
  std::ifstream in(std::string(SCHEMON_SOURCE_DIR) +
                   "/lib/sql/schema/schema.txt");
  EXPECT_TRUE(in.good());
  std::vector<std::string> names;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string directive, name, table_kind;
    if (words >> directive >> name >> table_kind && directive == "table" &&
        table_kind == kind) {
      names.push_back(name);
    }
  }
  return names;
}

TEST(CoreTablesListTest, ListIsTheDescriptionsCoreTablesInOrder) {
  EXPECT_EQ(g_apszCoreTables[CORE_TABLE_COUNT], nullptr);
  std::vector<std::string> list = CoreList();
  EXPECT_EQ(list, DescribedTables("core"));
  EXPECT_EQ(std::set<std::string>(list.begin(), list.end()).size(), 74u);
  EXPECT_EQ(DescribedTables("extra"), kLeftOut);
}

// The base tables of the database, lower case, sorted.
std::vector<std::string> CatalogTables(TestDatabase* db, int syntax) {
  const char* sql =
      syntax == SYNTAX_SQLITE
          ? "SELECT name FROM sqlite_master WHERE type='table' AND name NOT "
            "LIKE 'sqlite#_%' ESCAPE '#'"
      : syntax == SYNTAX_POSTGRESQL
          ? "SELECT table_name FROM information_schema.tables WHERE "
            "table_schema=current_schema() AND table_type='BASE TABLE'"
          : "SELECT table_name FROM information_schema.tables WHERE "
            "table_schema=DATABASE() AND table_type='BASE TABLE'";
  std::vector<std::string> names;
  for (const auto& row : db->Rows(sql)) {
    std::string name = row[0];
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

class CoreTablesSchemaTest : public BackendTest {};

TEST_P(CoreTablesSchemaTest, ShippedDatabaseHoldsTheListAndTheTablesLeftOut) {
  InitShipped(config_path_, syntax());
  std::vector<std::string> expected = CoreList();
  expected.insert(expected.end(), kLeftOut.begin(), kLeftOut.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(CatalogTables(db_.get(), syntax()), expected);
}

INSTANTIATE_BACKEND_SUITE(CoreTablesSchemaTest);

}  // namespace
