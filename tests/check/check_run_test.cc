// "check" end to end on a small network with one fault of every kind: the
// questions of all eight stages with their exact texts, the effect of yes
// and of no, the counters, the outcome words, the summary and the one
// transaction, on every backend.

#include <gtest/gtest.h>

#include "check/check_fixture.h"

namespace {

class CheckRunTest : public CheckTest {
 protected:
  void SetUp() override {
    CheckTest::SetUp();
    if (HasFatalFailure()) return;
    // Node 10 is healthy; 11 lacks its properties row; 12 can be linked
    // through its second interface; 13 has no address and no link; 14 is
    // deleted and 15 a container member, neither is a fault.
    AddObject(3, "192.168.5.0");
    AddObject(6, "db-cluster");
    AddObject(7, "Linux");
    AddObject(8, "Stale", 0, 0);
    AddObject(10, "core");
    AddObject(12, "printer");
    AddObject(13, "old");
    AddObject(14, "gone", 1);
    AddObject(15, "member");
    AddObject(30, "eth0");
    AddObject(31, "eth1");
    AddObject(33, "eth9");
    AddObject(40, "SMTP");
    AddNode(10, "10.0.0.1");
    AddNode(11, "10.0.0.2");
    AddNode(12, "192.168.5.40");
    AddNode(13, "0.0.0.0");
    AddNode(14, "0.0.0.0");
    AddNode(15, "0.0.0.0");
    db_->Exec(
        "INSERT INTO subnets (id,ip_addr) VALUES (1,'10.0.0.0');\n"
        "INSERT INTO subnets (id,ip_addr) VALUES (3,'192.168.5.0');\n"
        "INSERT INTO nsmap (subnet_id,node_id) VALUES (1,10);\n"
        "INSERT INTO nsmap (subnet_id,node_id) VALUES (1,11);\n"
        "INSERT INTO container_members (container_id,object_id) VALUES "
        "(5,15);\n"
        "INSERT INTO acl (object_id,user_id,access_rights) VALUES (13,0,1);\n"
        "INSERT INTO interfaces (id,node_id,ip_addr,ip_netmask) VALUES "
        "(30,12,'10.9.9.5','255.255.255.0');\n"
        "INSERT INTO interfaces (id,node_id,ip_addr,ip_netmask) VALUES "
        "(31,12,'192.168.5.40','255.255.255.0');\n"
        "INSERT INTO interfaces (id,node_id,ip_addr,ip_netmask) VALUES "
        "(32,10,'10.0.0.1','255.255.255.0');\n"
        "INSERT INTO interfaces (id,node_id,ip_addr,ip_netmask) VALUES "
        "(33,99,'10.0.0.9','255.255.255.0');\n"
        "INSERT INTO network_services (id,node_id) VALUES (40,14);\n"
        "INSERT INTO cluster_members (cluster_id,node_id) VALUES (6,10);\n"
        "INSERT INTO cluster_members (cluster_id,node_id) VALUES (6,98);\n"
        "INSERT INTO dct_node_map (template_id,node_id) VALUES (7,97);\n"
        "INSERT INTO dct_node_map (template_id,node_id) VALUES (7,10);\n"
        "INSERT INTO event_cfg (event_code) VALUES (1);\n"
        "INSERT INTO event_groups (id) VALUES (-2147483647);\n"
        "INSERT INTO actions (action_id) VALUES (1);\n"
        "INSERT INTO policy_source_list (rule_id,object_id) VALUES (1,10);\n"
        "INSERT INTO policy_source_list (rule_id,object_id) VALUES (1,999);\n"
        "INSERT INTO policy_event_list (rule_id,event_code) VALUES (1,1);\n"
        "INSERT INTO policy_event_list (rule_id,event_code) VALUES "
        "(1,4100);\n"
        "INSERT INTO policy_event_list (rule_id,event_code) VALUES "
        "(1,-2147483647);\n"
        "INSERT INTO policy_event_list (rule_id,event_code) VALUES "
        "(1,-2147483639);\n"
        "INSERT INTO policy_action_list (rule_id,action_id) VALUES (1,1);\n"
        "INSERT INTO policy_action_list (rule_id,action_id) VALUES (1,9);\n"
        "INSERT INTO idata_10 (item_id,idata_timestamp,idata_value) VALUES "
        "(1,1700000000,'past');\n"
        "INSERT INTO idata_10 (item_id,idata_timestamp,idata_value) VALUES "
        "(1,2147480000,'future');\n"
        "INSERT INTO raw_dci_values (item_id,last_poll_time) VALUES "
        "(1,1700000000);\n"
        "INSERT INTO raw_dci_values (item_id,last_poll_time) VALUES "
        "(2,2147480000)");
  }

  // The output of a run over the fixture, with the answer to each of the
  // 17 counted questions taken from answers ("Y" or "N"; the declined
  // link offer of node 12 is followed by its deletion question).
  std::string Expected(const std::string& answers, const std::string& tail) {
    size_t next = 0;
    auto q = [&](const std::string& text) {
      return "\r" + text + " (Y/N) " + answers.substr(next++, 1) + "\n";
    };
    auto word = [&](size_t from, size_t count) {
      return answers.substr(from, count) == std::string(count, 'Y') ? "FIXED "
                                                                    : "ERROR ";
    };
    std::string s1 = q("Missing node object 11 properties. Create?");
    std::string link =
        q("Unlinked node object 12 (\"printer\") can be linked to subnet 3 "
          "(192.168.5.0). Link?");
    if (answers[1] == 'N') {
      link += "\rUnlinked node object 12 (\"printer\"). Delete? (Y/N) N\n";
    }
    s1 += link + q("Unlinked node object 13 (\"old\"). Delete?");
    std::string s2 = q("Missing interface object 32 properties. Create?");
    s2 += q("Unlinked interface object 33 (\"eth9\"). Delete?");
    std::string s3 =
        q("Unlinked network service object 40 (\"SMTP\"). Delete?");
    std::string s4 =
        q("Cluster object db-cluster [6] refers to non-existing node 98. "
          "Dereference?");
    std::string s5 =
        q("Template 7 [Linux] mapped to non-existent node 97. Correct?");
    std::string s6 = q("Object 8 [Stale] has invalid timestamp. Correct?");
    if (answers[0] == 'Y') {
      s6 += q("Object 11 [lost_node_11] has invalid timestamp. Correct?");
    }
    if (answers[3] == 'Y') {
      s6 += q("Object 32 [lost_interface_32] has invalid timestamp. Correct?");
    }
    size_t s7_from = next;
    std::string s7 = q("Invalid object ID 999 used. Correct?");
    s7 += q("Invalid event ID 0x00001004 used. Correct?");
    s7 += q("Invalid event group ID 0x80000009 used. Correct?");
    s7 += q("Invalid action ID 9 used. Correct?");
    std::string s8 =
        q("Found collected data for node [10] with timestamp in the future. "
          "Correct?");
    s8 += q("Found DCIs with last poll timestamp in the future. Correct?");
    size_t s6_count = s7_from - 8;
    return "Checking database:\n" +
           StageWithQuestions(kStageTitles[0], s1, word(0, 3)) +
           StageWithQuestions(kStageTitles[1], s2, word(3, 2)) +
           StageWithQuestions(kStageTitles[2], s3, word(5, 1)) +
           StageWithQuestions(kStageTitles[3], s4, word(6, 1)) +
           StageWithQuestions(kStageTitles[4], s5, word(7, 1)) +
           StageWithQuestions(kStageTitles[5], s6, word(8, s6_count)) +
           StageWithQuestions(kStageTitles[6], s7, word(s7_from, 4)) +
           StageWithQuestions(kStageTitles[7], s8, word(s7_from + 4, 2)) + tail;
  }

  // Whether the fixture's faults are all still there.
  void ExpectUnrepaired() {
    EXPECT_EQ(Count("object_properties WHERE object_id IN (11,32)"), "0");
    EXPECT_EQ(Count("nsmap WHERE node_id=12"), "0");
    EXPECT_EQ(Count("nodes WHERE id=13"), "1");
    EXPECT_EQ(Count("acl WHERE object_id=13"), "1");
    EXPECT_EQ(Count("interfaces WHERE id=33"), "1");
    EXPECT_EQ(Count("network_services"), "1");
    EXPECT_EQ(Count("cluster_members"), "2");
    EXPECT_EQ(Count("dct_node_map"), "2");
    EXPECT_EQ(Count("object_properties WHERE last_modified=0"), "1");
    EXPECT_EQ(Count("policy_source_list"), "2");
    EXPECT_EQ(Count("policy_event_list"), "4");
    EXPECT_EQ(Count("policy_action_list"), "2");
    EXPECT_EQ(Count("idata_10"), "2");
    EXPECT_EQ(Count("raw_dci_values WHERE last_poll_time>1700000000"), "1");
  }
};

TEST_P(CheckRunTest, ForcedRunRepairsEverythingAndCommits) {
  std::string out = Check({"-f"});
  EXPECT_EQ(out, Expected(std::string(17, 'Y'),
                          "17 errors was found, 17 errors was corrected\n"
                          "All errors in database was fixed\n"
                          "Commit changes (Y/N) Y\n"
                          "Committing changes...\n"
                          "Changes was successfully committed to database\n"
                          "Database check completed\n"));

  EXPECT_EQ(db_->Rows("SELECT name,status,is_deleted,inherit_access_rights,"
                      "status_thresholds FROM object_properties WHERE "
                      "object_id IN (11,32) ORDER BY object_id"),
            (std::vector<std::vector<std::string>>{
                {"lost_node_11", "5", "0", "1", "00000000"},
                {"lost_interface_32", "5", "0", "1", "00000000"}}));
  EXPECT_EQ(Count("object_properties WHERE last_modified=0"), "0");
  EXPECT_EQ(db_->Scalar("SELECT subnet_id FROM nsmap WHERE node_id=12"), "3");
  EXPECT_EQ(Count("nodes WHERE id=13"), "0");
  EXPECT_EQ(Count("acl WHERE object_id=13"), "0");
  EXPECT_EQ(Count("object_properties WHERE object_id IN (13,33,40)"), "0");
  EXPECT_EQ(Count("interfaces"), "3");
  EXPECT_EQ(Count("network_services"), "0");
  EXPECT_EQ(db_->Scalar("SELECT node_id FROM cluster_members"), "10");
  EXPECT_EQ(db_->Scalar("SELECT node_id FROM dct_node_map"), "10");
  EXPECT_EQ(db_->Scalar("SELECT object_id FROM policy_source_list"), "10");
  EXPECT_EQ(Count("policy_event_list"), "2");
  EXPECT_EQ(db_->Scalar("SELECT action_id FROM policy_action_list"), "1");
  EXPECT_EQ(db_->Scalar("SELECT idata_value FROM idata_10"), "past");
  // The future poll time is set back to the check's "now", not deleted.
  EXPECT_EQ(Count("raw_dci_values WHERE last_poll_time>1700000000 AND "
                  "last_poll_time<2147480000"),
            "1");

  // Everything was committed: a second run finds nothing.
  EXPECT_EQ(Check({}), "Checking database:\n" + AllStagesPassed() +
                           "Database doesn't contain any errors\n"
                           "Database check completed\n");
}

TEST_P(CheckRunTest, EndOfInputAnswersNoAndChangesNothing) {
  std::string out = Check({});
  EXPECT_EQ(out, Expected(std::string(17, 'N'),
                          "15 errors was found, 0 errors was corrected\n"
                          "Database still contain errors\n"
                          "Database check completed\n"));
  ExpectUnrepaired();
}

TEST_P(CheckRunTest, DeclinedCommitUndoesRepairsButNotTheForcedUnlock) {
  SetConfig("DBLockStatus", "srv1");
  std::string out = Check({}, "y" + std::string(17, 'y') + "n");
  std::string expected =
      Expected(std::string(17, 'Y'),
               "17 errors was found, 17 errors was corrected\n"
               "All errors in database was fixed\n"
               "Commit changes (Y/N) N\n"
               "Rolling back changes...\n"
               "All changes made to database was cancelled\n"
               "Database check completed\n");
  expected.insert(expected.find('*'),
                  "Database is locked by server srv1 []\n"
                  "Do you wish to force database unlock? (Y/N) Y\n"
                  "Database lock removed\n");
  EXPECT_EQ(out, expected);
  ExpectUnrepaired();
  EXPECT_EQ(db_->Scalar("SELECT var_value FROM config WHERE "
                        "var_name='DBLockStatus'"),
            "UNLOCKED");
}

TEST_P(CheckRunTest, MixedAnswersGiveFixedAndErrorStages) {
  // One answer per counted question: node 12's link offer and then its
  // deletion are both declined, interface 32 and event 4100 are kept.
  std::string counted =
      "YNY"
      "NY"
      "Y"
      "Y"
      "Y"
      "YY"
      "YNYY"
      "YY";
  std::string keys;
  for (char c : counted) keys += static_cast<char>(tolower(c));
  keys.insert(1, "n");  // the uncounted link offer
  keys += "y";          // commit
  std::string out = Check({}, keys);
  EXPECT_EQ(out, Expected(counted,
                          "16 errors was found, 13 errors was corrected\n"
                          "Database still contain errors\n"
                          "Commit changes (Y/N) Y\n"
                          "Committing changes...\n"
                          "Changes was successfully committed to database\n"
                          "Database check completed\n"));
  EXPECT_EQ(Count("object_properties WHERE object_id=11"), "1");
  EXPECT_EQ(Count("nodes WHERE id IN (12,13)"), "1");
  EXPECT_EQ(Count("policy_event_list"), "3");
}

INSTANTIATE_BACKEND_SUITE(CheckRunTest);

}  // namespace
