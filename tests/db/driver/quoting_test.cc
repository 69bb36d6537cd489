// Texts written as literals made by DBPrepareString must read back exactly,
// whatever characters they hold and whatever the session's quoting mode.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/driver/api_connection.h"
#include "db/driver/driver.h"
#include "support/backend_test.h"

namespace {

struct QuotedValue {
  const char* label;
  std::string text;
};

std::string HundredKibText() {
  const std::string chunk =
      "it's a \\ back\\slash, a #23 hash, 100% %s, Grüße 日本語 😀\r\n\t'' \\'";
  std::string text;
  while (text.size() < 100 * 1024) text += chunk;
  text.resize(100 * 1024);
  // Cutting inside a multi-byte character would make the text invalid.
  while ((static_cast<unsigned char>(text.back()) & 0xC0) == 0x80 ||
         static_cast<unsigned char>(text.back()) >= 0xC0) {
    text.pop_back();
  }
  return text;
}

std::vector<QuotedValue> Values() {
  return {
      {"single quote", "it's"},
      {"only quotes", "''"},
      {"backslashes", "C:\\orvane\\bin\\"},
      {"backslash before quote", "\\'"},
      {"backslash escapes", "\\n \\t \\0 \\\\ \\x41"},
      {"hash escapes", "#27#00 # ##"},
      {"percent", "100% %s %d %%"},
      {"line breaks", "one\ntwo\r\nthree\tfour"},
      {"non-ASCII", "Grüße — Ελληνικά 日本語 😀"},
      {"empty", ""},
      {"statement lookalike", "x'); DELETE FROM quoted; --"},
      {"escape lookalikes", "{fn UCASE('x')} ? :1 $1 $$"},
      {"100 KiB", HundredKibText()},
  };
}

std::string LongTextType(int syntax) {
  switch (syntax) {
    case SYNTAX_MYSQL:
      return "longtext";
    case SYNTAX_MSSQL:
      return "nvarchar(max)";
    case SYNTAX_ORACLE:
      return "clob";
    default:
      return "text";
  }
}

// A statement that changes how the session reads literals, so that quoting
// which only works under the default is caught.
std::string OtherQuotingMode(int syntax) {
  switch (syntax) {
    case SYNTAX_POSTGRESQL:
      return "SET standard_conforming_strings = off";
    case SYNTAX_MYSQL:
      return "SET SESSION sql_mode = CONCAT(@@sql_mode, "
             "',NO_BACKSLASH_ESCAPES')";
    default:
      return "";
  }
}

class QuotingTest : public BackendTest {
 protected:
  void RoundTrip(db_handle_t h, const std::string& mode) {
    SCOPED_TRACE("quoting mode: " + mode);
    char error[DBERR_BUFFER_SIZE] = "";
    std::vector<QuotedValue> values = Values();
    ASSERT_TRUE(DBQueryEx(h, "DELETE FROM quoted", error)) << error;
    for (size_t i = 0; i < values.size(); i++) {
      std::string sql = "INSERT INTO quoted (id,v) VALUES (" +
                        std::to_string(i) + "," +
                        DBPrepareString(h, values[i].text.c_str()).str() + ")";
      EXPECT_TRUE(DBQueryEx(h, sql.c_str(), error))
          << values[i].label << ": " << error;
    }

    db_result_t result =
        DBSelectEx(h, "SELECT id,v FROM quoted ORDER BY id", error);
    ASSERT_NE(result, nullptr) << error;
    ASSERT_EQ(DBGetNumRows(result), static_cast<int>(values.size()));
    for (size_t i = 0; i < values.size(); i++) {
      int row = static_cast<int>(i);
      EXPECT_EQ(DBGetFieldLong(result, row, 0), row);
      EXPECT_EQ(DBGetFieldString(result, row, 1), values[i].text)
          << values[i].label << " (buffered)";
    }
    DBFreeResult(result);

    db_async_result_t cursor =
        DBAsyncSelectEx(h, "SELECT id,v FROM quoted ORDER BY id", error);
    ASSERT_NE(cursor, nullptr) << error;
    for (size_t i = 0; i < values.size(); i++) {
      ASSERT_TRUE(DBFetch(cursor)) << DBGetAsyncError(cursor);
      std::string text;
      EXPECT_TRUE(DBGetFieldAsyncString(cursor, 1, &text));
      EXPECT_EQ(text, values[i].text) << values[i].label << " (unbuffered)";
    }
    EXPECT_FALSE(DBFetch(cursor));
    EXPECT_EQ(DBGetAsyncError(cursor), nullptr);
    DBFreeAsyncResult(h, cursor);

    // The database must also read the literal as the same text.
    for (size_t i = 0; i < values.size(); i++) {
      std::string sql = "SELECT id FROM quoted WHERE v = " +
                        DBPrepareString(h, values[i].text.c_str()).str();
      db_result_t match = DBSelectEx(h, sql.c_str(), error);
      ASSERT_NE(match, nullptr) << values[i].label << ": " << error;
      EXPECT_EQ(DBGetNumRows(match), 1) << values[i].label;
      EXPECT_EQ(DBGetFieldLong(match, 0, 0), static_cast<int>(i))
          << values[i].label;
      DBFreeResult(match);
    }
  }
};

TEST_P(QuotingTest, ValuesReadBackUnchanged) {
  db_->Exec("CREATE TABLE quoted (id integer not null, v " +
            LongTextType(syntax()) + ")");
  ApiConnection api(db_->ConfigText());
  ASSERT_NE(api.handle(), nullptr);
  RoundTrip(api.handle(), "default");
  std::string other = OtherQuotingMode(syntax());
  if (!other.empty()) {
    char error[DBERR_BUFFER_SIZE] = "";
    ASSERT_TRUE(DBQueryEx(api.handle(), other.c_str(), error)) << error;
    RoundTrip(api.handle(), other);
  }
}

INSTANTIATE_BACKEND_SUITE(QuotingTest);

}  // namespace
