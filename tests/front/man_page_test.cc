// The manual page man/schemon.1 against the usage text that "schemon -h"
// prints: the same commands and options with the same arguments, in the
// synopsis and in the COMMANDS, OPTIONS and FAILURES sections, and the same
// default configuration file.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/backend_test.h"
#include "support/process.h"

namespace {

// Name (a command word or an option such as "-c") to its argument, without
// the angle brackets; the empty text when it takes none.
using Entries = std::map<std::string, std::string>;

struct Usage {
  Entries commands;
  Entries options;
  std::string default_config;
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

// Reads "   word <arg> : text" lines of the usage text.
void AddUsageEntry(const std::string& line, Entries* entries) {
  std::istringstream in(line.substr(0, line.find(" : ")));
  std::string name, argument;
  in >> name >> argument;
  if (argument.size() > 2 && argument.front() == '<' &&
      argument.back() == '>') {
    argument = argument.substr(1, argument.size() - 2);
  }
  (*entries)[name] = argument;
}

Usage ParseUsage(const std::string& out) {
  Usage usage;
  Entries* entries = nullptr;
  for (const std::string& line : Lines(out)) {
    if (line == "Valid commands are:") {
      entries = &usage.commands;
    } else if (line == "Valid options are:") {
      entries = &usage.options;
    } else if (entries != nullptr && line.rfind("   ", 0) == 0) {
      AddUsageEntry(line, entries);
    }
    const std::string kDefault = "Default is ";
    size_t at = line.find(kDefault);
    if (at != std::string::npos) {
      usage.default_config = line.substr(at + kDefault.size());
    }
  }
  return usage;
}

// Splits the arguments of a roff request line (".BI \-c " config"") as roff
// does: by blanks, double quotes grouping; "\-" becomes "-".
std::vector<std::string> RequestArguments(const std::string& line) {
  std::vector<std::string> arguments;
  size_t i = line.find(' ');
  while (i != std::string::npos && i < line.size()) {
    while (i < line.size() && line[i] == ' ') i++;
    if (i >= line.size()) break;
    std::string argument;
    bool quoted = line[i] == '"';
    if (quoted) i++;
    while (i < line.size() && (quoted ? line[i] != '"' : line[i] != ' ')) {
      if (line.compare(i, 2, "\\-") == 0) {
        argument += '-';
        i += 2;
      } else {
        argument += line[i++];
      }
    }
    if (quoted) i++;
    arguments.push_back(argument);
  }
  return arguments;
}

std::string Trim(const std::string& text) {
  size_t begin = text.find_first_not_of(' ');
  if (begin == std::string::npos) return "";
  return text.substr(begin, text.find_last_not_of(' ') - begin + 1);
}

class ManPage {
 public:
  explicit ManPage(const std::string& text) {
    std::string section;
    for (const std::string& line : Lines(text)) {
      if (line.rfind(".SH ", 0) == 0) {
        section = Trim(line.substr(4));
        if (section.size() > 1 && section.front() == '"') {
          section = section.substr(1, section.size() - 2);
        }
        continue;
      }
      sections_[section].push_back(line);
    }
  }

  bool HasSection(const std::string& name) const {
    return sections_.count(name) > 0;
  }

  const std::vector<std::string>& Section(const std::string& name) const {
    static const std::vector<std::string> kNone;
    auto it = sections_.find(name);
    return it == sections_.end() ? kNone : it->second;
  }

  // The tags of a section's ".TP" paragraphs: the first argument of the
  // line after ".TP" and the rest, joined, as its argument.
  Entries Tags(const std::string& name) const {
    Entries tags;
    const std::vector<std::string>& lines = Section(name);
    for (size_t i = 0; i + 1 < lines.size(); i++) {
      if (lines[i] != ".TP") continue;
      std::vector<std::string> arguments = RequestArguments(lines[i + 1]);
      if (arguments.empty()) continue;
      std::string argument;
      for (size_t k = 1; k < arguments.size(); k++) argument += arguments[k];
      tags[arguments[0]] = Trim(argument);
    }
    return tags;
  }

 private:
  std::map<std::string, std::vector<std::string>> sections_;
};

class ManPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RunResult r = RunSchemon({"-h"});
    ASSERT_EQ(r.exit_code, 1) << r.out;
    usage_ = ParseUsage(r.out);
    ASSERT_EQ(usage_.commands.size(), 8u) << r.out;
    ASSERT_EQ(usage_.options.size(), 8u) << r.out;
    page_text_ =
        ReadFileText(std::string(SCHEMON_SOURCE_DIR) + "/man/schemon.1");
    ASSERT_FALSE(page_text_.empty());
  }

  Usage usage_;
  std::string page_text_;
};

TEST_F(ManPageTest, HasTheUsualSections) {
  ManPage page(page_text_);
  for (const char* name : {"NAME", "SYNOPSIS", "DESCRIPTION", "COMMANDS",
                           "OPTIONS", "CONFIGURATION", "FAILURES",
                           "EXIT STATUS", "ENVIRONMENT", "FILES", "EXAMPLES"}) {
    EXPECT_TRUE(page.HasSection(name)) << name;
  }
}

TEST_F(ManPageTest, CommandsAreThoseOfTheUsageText) {
  ManPage page(page_text_);
  EXPECT_EQ(page.Tags("COMMANDS"), usage_.commands);
  // What each command leaves behind when it fails.
  std::set<std::string> failures, commands;
  for (const auto& tag : page.Tags("FAILURES")) failures.insert(tag.first);
  for (const auto& command : usage_.commands) commands.insert(command.first);
  EXPECT_EQ(failures, commands);
}

TEST_F(ManPageTest, OptionsAreThoseOfTheUsageText) {
  ManPage page(page_text_);
  EXPECT_EQ(page.Tags("OPTIONS"), usage_.options);
}

TEST_F(ManPageTest, SynopsisNamesEveryCommandAndOption) {
  ManPage page(page_text_);
  Entries commands;
  std::string flags;
  Entries options;
  const std::vector<std::string>& lines = page.Section("SYNOPSIS");
  for (size_t i = 0; i < lines.size(); i++) {
    std::vector<std::string> arguments = RequestArguments(lines[i]);
    if (lines[i].rfind(".B ", 0) == 0 && arguments.size() == 1 &&
        arguments[0] != "schemon") {
      // A command word, followed by ".I file" when it takes an argument.
      std::string argument;
      if (i + 1 < lines.size() && lines[i + 1].rfind(".I ", 0) == 0) {
        argument = RequestArguments(lines[i + 1])[0];
      }
      commands[arguments[0]] = argument;
    } else if (lines[i].rfind(".RB ", 0) == 0 && arguments.size() >= 2 &&
               arguments[0] == "[" && arguments[1].size() > 1 &&
               arguments[1][0] == '-') {
      if (arguments.size() == 3 && arguments[2] == "]") {
        // The group of options without an argument: "[-fhIMtvX]".
        flags = arguments[1].substr(1);
      } else if (i + 1 < lines.size() && lines[i + 1].rfind(".IR ", 0) == 0) {
        // An option with its argument: "[-c" and "config ]".
        options[arguments[1]] = RequestArguments(lines[i + 1])[0];
      }
    }
  }
  for (char letter : flags) options[std::string("-") + letter] = "";
  EXPECT_EQ(commands, usage_.commands);
  EXPECT_EQ(options, usage_.options);
}

TEST_F(ManPageTest, NamesTheDefaultConfigurationFile) {
  ASSERT_FALSE(usage_.default_config.empty());
  ManPage page(page_text_);
  bool in_options = false;
  for (const std::string& line : page.Section("OPTIONS")) {
    if (line.find(usage_.default_config) != std::string::npos) {
      in_options = true;
    }
  }
  EXPECT_TRUE(in_options) << usage_.default_config;
  bool in_files = false;
  const std::vector<std::string>& files = page.Section("FILES");
  for (size_t i = 0; i + 1 < files.size(); i++) {
    if (files[i] == ".TP" && files[i + 1] == ".I " + usage_.default_config) {
      in_files = true;
    }
  }
  EXPECT_TRUE(in_files) << usage_.default_config;
}

}  // namespace
