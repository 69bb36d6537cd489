#include "front/runtime/config_loader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>

#include "support/backend_test.h"

namespace {

struct Destinations {
  char driver[16] = "preset";
  char name[8] = "preset";
  char password[64] = "preset";
};

class ConfigLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = MakeTempDir(); }
  void TearDown() override { RemoveTree(dir_); }

  // Loads text with a small template; returns QzLoadConfig's result.
  int Load(const std::string& text, const char* section = "") {
    std::string path = dir_ + "/test.conf";
    std::ofstream(path, std::ios::binary) << text;
    ConfigTemplateEntry entries[] = {
        {"DBDriver", CFG_TYPE_STRING, 0, 0, sizeof d_.driver, 0, d_.driver},
        {"DBName", CFG_TYPE_STRING, 0, 0, sizeof d_.name, 0, d_.name},
        {"DBPassword", CFG_TYPE_STRING, 0, 0, sizeof d_.password, 0,
         d_.password},
        {"LogFile", CFG_TYPE_IGNORE, 0, 0, 0, 0, nullptr},
        {"", CFG_TYPE_END, 0, 0, 0, 0, nullptr}};
    return QzLoadConfig(path.c_str(), section, entries, 0);
  }

  std::string dir_;
  Destinations d_;
};

struct GoodCase {
  const char* text;
  const char* driver;
  const char* password;
};

TEST_F(ConfigLoaderTest, GoodFilesStoreTheirValues) {
  const GoodCase cases[] = {
      {"DBDriver=pgsql\n", "pgsql", "preset"},
      {"  DBDriver   =   pgsql  \r\n", "pgsql", "preset"},
      {"dbdriver = pgsql\n", "pgsql", "preset"},
      {"# comment\n\nDBDriver = pgsql # trailing comment\n", "pgsql", "preset"},
      {"DBPassword = ab#cd\n", "preset", "ab#cd"},
      {"DBPassword = \"  padded # not a comment \"  # comment\n", "preset",
       "  padded # not a comment "},
      {"DBPassword =\n", "preset", ""},
      {"DBPassword = a=b\n", "preset", "a=b"},
      {"Unknown = 1\nLogFile = /var/log/x\nDBDriver = mysql\n", "mysql",
       "preset"},
      {"DBDriver = first\nDBDriver = second\n", "second", "preset"},
      {"DBDriver = top\n[other]\nDBDriver = inner\n", "top", "preset"},
      {"DBDriver = pgsql", "pgsql", "preset"},
  };
  for (const GoodCase& c : cases) {
    d_ = Destinations();
    EXPECT_EQ(Load(c.text), 0) << c.text;
    EXPECT_STREQ(d_.driver, c.driver) << c.text;
    EXPECT_STREQ(d_.password, c.password) << c.text;
  }
}

TEST_F(ConfigLoaderTest, LongValuesAreCutToTheirBuffer) {
  EXPECT_EQ(Load("DBName = 0123456789\n"), 0);
  EXPECT_STREQ(d_.name, "0123456");
}

TEST_F(ConfigLoaderTest, MalformedLinesFailAndStoreNothing) {
  const char* cases[] = {
      "DBDriver = pgsql\njust words\n",
      "DBDriver = pgsql\n= value\n",
      "DBPassword = \"unterminated\n",
      "DBPassword = \"x\" y\n",
      "[section\n",
  };
  for (const char* text : cases) {
    d_ = Destinations();
    EXPECT_NE(Load(text), 0) << text;
    EXPECT_STREQ(d_.driver, "preset") << text;
  }
}

TEST_F(ConfigLoaderTest, SectionNameSelectsTheKeys) {
  EXPECT_EQ(Load("DBDriver = top\n[Server]\nDBDriver = inner\n", "server"), 0);
  EXPECT_STREQ(d_.driver, "inner");
}

TEST_F(ConfigLoaderTest, MissingFileFails) {
  ConfigTemplateEntry entries[] = {{"", CFG_TYPE_END, 0, 0, 0, 0, nullptr}};
  EXPECT_NE(QzLoadConfig((dir_ + "/absent.conf").c_str(), "", entries, 0), 0);
}

}  // namespace
