#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "db/driver/driver.h"

namespace {

std::string Encode(const std::string& text) {
  char* encoded = EncodeSQLString(text.c_str());
  std::string result = encoded;
  free(encoded);
  return result;
}

std::string Decode(std::string text) {
  DecodeSQLString(&text[0]);
  return text.c_str();
}

TEST(HashEscapeTest, EncodesCharactersThatCannotStandInALiteral) {
  const struct {
    const char* text;
    const char* encoded;
  } cases[] = {
      {"", "#00"},
      {"plain text", "plain text"},
      {"it's", "it#27s"},
      {"50% #1", "50#25 #231"},
      {"a\r\nb\t", "a#0D#0Ab#09"},
      {"\"q\" \\", "#22q#22 #5C"},
      {"del\x7f", "del#7F"},
      {"Gr\xc3\xbc\xc3\x9f"
       "e",
       "Gr\xc3\xbc\xc3\x9f"
       "e"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Encode(c.text), c.encoded) << c.text;
    EXPECT_EQ(Decode(c.encoded), c.text) << c.encoded;
  }
}

TEST(HashEscapeTest, DecodingLeavesIncompleteGroupsAlone) {
  const struct {
    const char* text;
    const char* decoded;
  } cases[] = {
      {"#", "#"},       {"#4", "#4"},     {"#4g", "#4g"},
      {"a#41b", "aAb"}, {"#6c#6C", "ll"}, {"##41", "#A"},
  };
  for (const auto& c : cases) EXPECT_EQ(Decode(c.text), c.decoded) << c.text;
}

TEST(HashEscapeTest, EveryByteRoundTrips) {
  std::string all;
  for (int c = 1; c < 256; c++) all += static_cast<char>(c);
  std::string encoded = Encode(all);
  EXPECT_EQ(encoded.find('\''), std::string::npos);
  EXPECT_EQ(Decode(encoded), all);
}

}  // namespace
