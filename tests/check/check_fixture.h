// The fixture of the check suites: the tables the check reads, with as few
// columns as it needs, and the texts of its stage lines.
#ifndef SCHEMON_TESTS_CHECK_CHECK_FIXTURE_H_
#define SCHEMON_TESTS_CHECK_CHECK_FIXTURE_H_

#include <map>
#include <string>

#include "support/backend_test.h"

// The stage titles in the order the check runs them.
extern const char* const kStageTitles[8];

// "* " and the title padded to 68 characters: an open stage line.
std::string StageOpen(const std::string& title);
// A finished stage line with its bracketed word ("PASSED", "FIXED ",
// "ERROR ").
std::string StageLine(const std::string& title, const std::string& word);
// A finished line of a stage that asked questions: the open line, the
// questions with their answers, the line again and the word.
std::string StageWithQuestions(const std::string& title,
                               const std::string& questions,
                               const std::string& word);
// The eight stage lines of a clean run.
std::string AllStagesPassed();
// "Checking database:\n" and the eight stage lines, each "PASSED" except
// those given by stage number (1 to 8) with their whole text.
std::string Stages(const std::map<int, std::string>& special);

// Replaces the database's text in every "SQL query failed (...):" report by
// "E", so that outputs compare across backends.
std::string MaskErrors(const std::string& out);

class CheckTest : public BackendTest {
 protected:
  void SetUp() override;

  // Creates the object tables the check reads, empty.
  void CreateCheckTables();
  // Adds a properties row (last_modified 1700000000 unless given).
  void AddObject(int id, const std::string& name, int deleted = 0,
                 long last_modified = 1700000000);
  // Adds a node row with its per-node data table.
  void AddNode(int id, const std::string& primary_ip);

  // Runs "check" with the options and answers, and returns its output
  // after the banner.
  std::string Check(const std::vector<std::string>& options,
                    const std::string& input = "");
  // Returns the count of rows the query gives.
  std::string Count(const std::string& from_where);
};

#endif  // SCHEMON_TESTS_CHECK_CHECK_FIXTURE_H_
