#include "check/check_fixture.h"

#include <regex>

const char* const kStageTitles[8] = {
    "Checking node objects...",
    "Checking interface objects...",
    "Checking network service objects...",
    "Checking cluster objects...",
    "Checking template to node mapping...",
    "Checking object properties...",
    "Checking event processing policy...",
    "Checking collected data...",
};

std::string StageOpen(const std::string& title) {
  std::string line = "* " + title;
  if (title.size() < 68) line.append(68 - title.size(), ' ');
  return line;
}

std::string StageLine(const std::string& title, const std::string& word) {
  return StageOpen(title) + "[" + word + "]\n";
}

std::string StageWithQuestions(const std::string& title,
                               const std::string& questions,
                               const std::string& word) {
  return StageOpen(title) + questions + StageLine(title, word);
}

std::string AllStagesPassed() {
  std::string out;
  for (const char* title : kStageTitles) out += StageLine(title, "PASSED");
  return out;
}

std::string Stages(const std::map<int, std::string>& special) {
  std::string out = "Checking database:\n";
  for (int stage = 1; stage <= 8; stage++) {
    auto it = special.find(stage);
    out += it != special.end() ? it->second
                               : StageLine(kStageTitles[stage - 1], "PASSED");
  }
  return out;
}

std::string MaskErrors(const std::string& out) {
  static const std::regex report("SQL query failed \\([\\s\\S]*?\\):\n");
  return std::regex_replace(out, report, "SQL query failed (E):\n");
}

void CheckTest::SetUp() {
  BackendTest::SetUp();
  if (HasFatalFailure()) return;
  CreateServerTables();
  CreateCheckTables();
}

void CheckTest::CreateCheckTables() {
  // object_properties.comments is NOT NULL without a default, as an upgrade
  // leaves it on MySQL: the repair rows must give it a value.
  db_->Exec(
      "CREATE TABLE nodes (id integer not null, primary_ip varchar(15) not "
      "null, PRIMARY KEY(id));\n"
      "CREATE TABLE object_properties (object_id integer not null, name "
      "varchar(255) not null, status integer not null, is_deleted integer "
      "not null, last_modified integer not null, inherit_access_rights "
      "integer not null, status_calc_alg integer, status_prop_alg integer, "
      "status_fixed_val integer, status_shift integer, status_translation "
      "varchar(8), status_single_threshold integer, status_thresholds "
      "varchar(8), comments varchar(255) not null, PRIMARY "
      "KEY(object_id));\n"
      "CREATE TABLE nsmap (subnet_id integer not null, node_id integer not "
      "null);\n"
      "CREATE TABLE container_members (container_id integer not null, "
      "object_id integer not null);\n"
      "CREATE TABLE interfaces (id integer not null, node_id integer not "
      "null, ip_addr varchar(15) not null, ip_netmask varchar(15) not null, "
      "PRIMARY KEY(id));\n"
      "CREATE TABLE subnets (id integer not null, ip_addr varchar(15) not "
      "null, PRIMARY KEY(id));\n"
      "CREATE TABLE acl (object_id integer not null, user_id integer not "
      "null, access_rights integer not null);\n"
      "CREATE TABLE network_services (id integer not null, node_id integer "
      "not null, PRIMARY KEY(id));\n"
      "CREATE TABLE cluster_members (cluster_id integer not null, node_id "
      "integer not null);\n"
      "CREATE TABLE dct_node_map (template_id integer not null, node_id "
      "integer not null);\n"
      "CREATE TABLE policy_source_list (rule_id integer not null, object_id "
      "integer not null);\n"
      "CREATE TABLE policy_event_list (rule_id integer not null, event_code "
      "integer not null);\n"
      "CREATE TABLE policy_action_list (rule_id integer not null, action_id "
      "integer not null);\n"
      "CREATE TABLE event_cfg (event_code integer not null);\n"
      "CREATE TABLE event_groups (id integer not null);\n"
      "CREATE TABLE actions (action_id integer not null);\n"
      "CREATE TABLE raw_dci_values (item_id integer not null, "
      "last_poll_time integer not null)");
}

void CheckTest::AddObject(int id, const std::string& name, int deleted,
                          long last_modified) {
  db_->Exec(
      "INSERT INTO object_properties (object_id,name,status,is_deleted,"
      "last_modified,inherit_access_rights,comments) VALUES (" +
      std::to_string(id) + ",'" + name + "',0," + std::to_string(deleted) +
      "," + std::to_string(last_modified) + ",1,'#00')");
}

void CheckTest::AddNode(int id, const std::string& primary_ip) {
  std::string n = std::to_string(id);
  db_->Exec("INSERT INTO nodes (id,primary_ip) VALUES (" + n + ",'" +
            primary_ip + "');\nCREATE TABLE idata_" + n +
            " (item_id integer not null, idata_timestamp integer not null, "
            "idata_value varchar(255))");
}

std::string CheckTest::Check(const std::vector<std::string>& options,
                             const std::string& input) {
  std::vector<std::string> args = options;
  args.push_back("check");
  RunResult r = Run(args, input);
  EXPECT_EQ(r.exit_code, 0);
  std::string banner = Banner();
  EXPECT_EQ(r.out.compare(0, banner.size(), banner), 0) << r.out;
  return r.out.size() >= banner.size() ? r.out.substr(banner.size()) : r.out;
}

std::string CheckTest::Count(const std::string& from_where) {
  return db_->Scalar("SELECT count(*) FROM " + from_where);
}
