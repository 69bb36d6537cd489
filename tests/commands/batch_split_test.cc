#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/batch.h"

namespace {

// Returns the statements the batch runner would send for text.
std::vector<std::string> Split(std::string text) {
  std::vector<std::string> statements;
  char* position = &text[0];
  char* end = position + text.size();
  while (position < end) {
    char* next = SplitNextStatement(position, end);
    if (!IsWhitespaceOnly(position)) statements.push_back(position);
    position = next;
  }
  return statements;
}

TEST(BatchSplitTest, CutsAtSemicolonsOutsideSingleQuotes) {
  const struct {
    const char* text;
    std::vector<std::string> statements;
  } cases[] = {
      {"", {}},
      {" \t\r\n ;\n;", {}},
      {"A;B", {"A", "B"}},
      {"A;B;", {"A", "B"}},
      {"A;B;\n\n  \n", {"A", "B"}},
      {"\n  A ;", {"\n  A "}},
      {"X 'a;b';Y", {"X 'a;b'", "Y"}},
      {"X 'it''s;' ;Y", {"X 'it''s;' ", "Y"}},
      {"X \"a;b\"", {"X \"a", "b\""}},
      {"-- note; A;B", {"-- note", " A", "B"}},
      {"X 'open;", {"X 'open;"}},
      {"LAST", {"LAST"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Split(c.text), c.statements) << c.text;
  }
}

TEST(BatchSplitTest, WhitespaceIsOnlyBlanksTabsAndLineEnds) {
  EXPECT_TRUE(IsWhitespaceOnly(""));
  EXPECT_TRUE(IsWhitespaceOnly(" \t\r\n"));
  EXPECT_FALSE(IsWhitespaceOnly(" x "));
  EXPECT_FALSE(IsWhitespaceOnly("\v"));
}

}  // namespace
