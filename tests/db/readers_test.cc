// Server variable and metadata readers, and the execution layer's output,
// called inside the process on every backend.

#include "db/readers.h"

#include <gtest/gtest.h>

#include "db/exec.h"
#include "front/globals.h"
#include "support/backend_test.h"

namespace {

class ReadersTest : public BackendTest {
 protected:
  void SetUp() override {
    BackendTest::SetUp();
    CreateServerTables();
    ConnectInProcess();
  }
};

TEST_P(ReadersTest, ServerVariablesAreDecodedAndConverted) {
  const struct {
    const char* stored;  // null: no row
    const char* text;
    bool found;
    int32_t as_int;
    uint32_t as_uint;
  } cases[] = {
      {"hello#20world", "hello world", true, 0, 0},
      {"#00", "", true, 0, 0},
      {"", "", true, 0, 0},
      {"010", "010", true, 8, 8},
      {"0x1F", "0x1F", true, 31, 31},
      {"42abc", "42abc", true, 42, 42},
      {"-5", "-5", true, -5, 4294967291u},
      {"4294967295", "4294967295", true, 2147483647, 4294967295u},
      {"-4294967296", "-4294967296", true, -2147483648, 4294967295u},
      {"4294967296", "4294967296", true, 2147483647, 4294967295u},
      {nullptr, "dflt", false, -7, 77},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored != nullptr ? c.stored : "<no row>");
    db_->TryExec("DELETE FROM config WHERE var_name='V'");
    if (c.stored != nullptr) SetConfig("V", c.stored);
    char buffer[64];
    EXPECT_EQ(ReadServerVariable("V", buffer, sizeof buffer, "dflt"), c.found);
    EXPECT_STREQ(buffer, c.text);
    EXPECT_EQ(ReadServerVariableInt("V", -7), c.as_int);
    EXPECT_EQ(ReadServerVariableUInt("V", 77), c.as_uint);
  }
}

TEST_P(ReadersTest, MetadataIsReturnedAsStored) {
  db_->Exec("INSERT INTO metadata (var_name,var_value) VALUES ('M','#00')");
  char buffer[16];
  EXPECT_TRUE(ReadMetadataVariable("M", buffer, sizeof buffer, "d"));
  EXPECT_STREQ(buffer, "#00");
  EXPECT_FALSE(ReadMetadataVariable("Absent", buffer, sizeof buffer, "d"));
  EXPECT_STREQ(buffer, "d");
}

TEST_P(ReadersTest, LongValuesAreCutToTheBuffer) {
  SetConfig("Long", std::string(100, 'x'));
  char small[8];
  EXPECT_TRUE(ReadServerVariable("Long", small, sizeof small, ""));
  EXPECT_STREQ(small, "xxxxxxx");
  SetConfig("Long", std::string(70, '1'));
  // The integer readers keep 63 characters: overflow saturates.
  EXPECT_EQ(ReadServerVariableUInt("Long", 0), 4294967295u);
}

TEST_P(ReadersTest, LongNamesAreNotQueried) {
  g_bShowQueries = 1;
  std::string name(128, 'n');
  char buffer[16];
  testing::internal::CaptureStdout();
  EXPECT_FALSE(ReadServerVariable(name.c_str(), buffer, sizeof buffer, "d"));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_STREQ(buffer, "d");
}

TEST_P(ReadersTest, QueriesAreTracedAndFailuresReported) {
  g_bShowQueries = 1;
  char buffer[16];
  testing::internal::CaptureStdout();
  ReadServerVariable("X", buffer, sizeof buffer, "");
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            ">>> SELECT var_value FROM config WHERE var_name='X'\n");

  db_->Exec("DROP TABLE metadata");
  testing::internal::CaptureStdout();
  EXPECT_FALSE(ReadMetadataVariable("M", buffer, sizeof buffer, "d"));
  std::string out = testing::internal::GetCapturedStdout();
  const std::string query = "SELECT var_value FROM metadata WHERE var_name='M'";
  EXPECT_EQ(out.rfind(">>> " + query + "\nSQL query failed (", 0), 0u) << out;
  EXPECT_EQ(out.substr(out.size() - query.size() - 4), "):\n" + query + "\n");
  EXPECT_STREQ(buffer, "d");
}

TEST_P(ReadersTest, EmptyStatementIsNeitherSentNorTraced) {
  g_bShowQueries = 1;
  testing::internal::CaptureStdout();
  EXPECT_TRUE(ExecQuery(""));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

INSTANTIATE_BACKEND_SUITE(ReadersTest);

}  // namespace
