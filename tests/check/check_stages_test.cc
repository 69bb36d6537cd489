// The rules of single stages that the full run does not show: uncounted
// link offers, empty and cut names, lookups that fail, repairs that fail,
// a commit that fails, and the statement texts under -t.

#include <gtest/gtest.h>

#include "check/check_fixture.h"
#include "db/driver/syntax.h"

namespace {

class CheckStagesTest : public CheckTest {
 protected:
  // A node with two interfaces, each in a known subnet.
  void AddDualHomedNode() {
    AddObject(20, "dual");
    AddObject(21, "eth0");
    AddObject(22, "eth1");
    AddNode(20, "10.1.1.1");
    db_->Exec(
        "INSERT INTO subnets (id,ip_addr) VALUES (2,'10.1.1.0');\n"
        "INSERT INTO subnets (id,ip_addr) VALUES (4,'10.2.0.0');\n"
        "INSERT INTO interfaces (id,node_id,ip_addr,ip_netmask) VALUES "
        "(21,20,'10.1.1.1','255.255.255.0');\n"
        "INSERT INTO interfaces (id,node_id,ip_addr,ip_netmask) VALUES "
        "(22,20,'10.2.2.1','255.255.0.0')");
  }
  static std::string Offer(int subnet, const char* network, char answer) {
    return "\rUnlinked node object 20 (\"dual\") can be linked to subnet " +
           std::to_string(subnet) + " (" + network + "). Link? (Y/N) " +
           answer + "\n";
  }
};

TEST_P(CheckStagesTest, DeclinedLinkOffersAreNotCounted) {
  AddDualHomedNode();
  EXPECT_EQ(Check({}, "nyy"),
            Stages({{1, StageWithQuestions(kStageTitles[0],
                                           Offer(2, "10.1.1.0", 'N') +
                                               Offer(4, "10.2.0.0", 'Y'),
                                           "FIXED ")}}) +
                "1 errors was found, 1 errors was corrected\n"
                "All errors in database was fixed\n"
                "Commit changes (Y/N) Y\n"
                "Committing changes...\n"
                "Changes was successfully committed to database\n"
                "Database check completed\n");
  EXPECT_EQ(db_->Rows("SELECT subnet_id,node_id FROM nsmap"),
            (std::vector<std::vector<std::string>>{{"4", "20"}}));
}

TEST_P(CheckStagesTest, AllOffersAndTheDeletionDeclined) {
  AddDualHomedNode();
  EXPECT_EQ(
      Check({}, "nnn"),
      Stages({{1, StageWithQuestions(
                      kStageTitles[0],
                      Offer(2, "10.1.1.0", 'N') + Offer(4, "10.2.0.0", 'N') +
                          "\rUnlinked node object 20 (\"dual\"). "
                          "Delete? (Y/N) N\n",
                      "ERROR ")}}) +
          "1 errors was found, 0 errors was corrected\n"
          "Database still contain errors\n"
          "Database check completed\n");
  EXPECT_EQ(Count("nsmap"), "0");
  EXPECT_EQ(Count("nodes"), "1");
}

TEST_P(CheckStagesTest, ObjectsWithoutPropertiesAreStillTestedForLinks) {
  // Node 16 has no properties row and no link: it is offered both the row
  // and the deletion, with an empty name. Interface 50 has no row and its
  // node is deleted; service 17 has no row and a live node.
  AddNode(16, "0.0.0.0");
  AddObject(14, "gone", 1);
  AddNode(14, "0.0.0.0");
  AddObject(10, "core");
  AddNode(10, "0.0.0.0");
  db_->Exec(
      "INSERT INTO container_members (container_id,object_id) VALUES "
      "(5,10);\n"
      "INSERT INTO interfaces (id,node_id,ip_addr,ip_netmask) VALUES "
      "(50,14,'10.0.0.5','255.0.0.0');\n"
      "INSERT INTO network_services (id,node_id) VALUES (17,10)");
  std::string out = Check({},
                          "yy"
                          "ny"
                          "y"
                          "y"
                          "y");
  EXPECT_EQ(
      out,
      Stages({{1, StageWithQuestions(
                      kStageTitles[0],
                      "\rMissing node object 16 properties. Create? (Y/N) Y\n"
                      "\rUnlinked node object 16 (\"\"). Delete? (Y/N) Y\n",
                      "FIXED ")},
              {2, StageWithQuestions(kStageTitles[1],
                                     "\rMissing interface object 50 "
                                     "properties. Create? (Y/N) N\n"
                                     "\rUnlinked interface object 50 (\"\"). "
                                     "Delete? (Y/N) Y\n",
                                     "ERROR ")},
              {3, StageWithQuestions(kStageTitles[2],
                                     "\rMissing network service object 17 "
                                     "properties. Create? (Y/N) Y\n",
                                     "FIXED ")},
              {6, StageWithQuestions(kStageTitles[5],
                                     "\rObject 17 [lost_network service_17] "
                                     "has invalid timestamp. Correct? (Y/N) "
                                     "Y\n",
                                     "FIXED ")}}) +
          "6 errors was found, 5 errors was corrected\n"
          "Database still contain errors\n"
          "Commit changes (Y/N) Y\n"
          "Committing changes...\n"
          "Changes was successfully committed to database\n"
          "Database check completed\n");
  EXPECT_EQ(Count("nodes WHERE id=16"), "0");
  EXPECT_EQ(Count("object_properties WHERE object_id=16"), "0");
  EXPECT_EQ(Count("interfaces"), "0");
  EXPECT_EQ(db_->Scalar("SELECT name FROM object_properties WHERE "
                        "object_id=17"),
            "lost_network service_17");
}

TEST_P(CheckStagesTest, NamesAreCutTo63CharactersInLookups) {
  const std::string long_name(70, 'n');
  AddObject(20, long_name);
  AddNode(20, "0.0.0.0");
  AddObject(6, std::string(70, 'c'));
  db_->Exec(
      "INSERT INTO cluster_members (cluster_id,node_id) VALUES (6,98);\n"
      "INSERT INTO cluster_members (cluster_id,node_id) VALUES (8,97);\n"
      "UPDATE object_properties SET last_modified=0 WHERE object_id=6");
  std::string out = Check({});
  EXPECT_EQ(
      out,
      Stages({{1, StageWithQuestions(kStageTitles[0],
                                     "\rUnlinked node object 20 (\"" +
                                         std::string(63, 'n') +
                                         "\"). Delete? (Y/N) N\n",
                                     "ERROR ")},
              {4, StageWithQuestions(
                      kStageTitles[3],
                      "\rCluster object " + std::string(63, 'c') +
                          " [6] refers to non-existing node 98. "
                          "Dereference? (Y/N) N\n"
                          "\rCluster object <unknown> [8] refers to "
                          "non-existing node 97. Dereference? (Y/N) N\n",
                      "ERROR ")},
              {6, StageWithQuestions(kStageTitles[5],
                                     "\rObject 6 [" + std::string(70, 'c') +
                                         "] has invalid timestamp. Correct? "
                                         "(Y/N) N\n",
                                     "ERROR ")}}) +
          "4 errors was found, 0 errors was corrected\n"
          "Database still contain errors\n"
          "Database check completed\n");
}

TEST_P(CheckStagesTest, PolicyIdsAreSignedInSqlAndHexInQuestions) {
  db_->Exec(
      "INSERT INTO policy_event_list (rule_id,event_code) VALUES "
      "(1,-2147483639);\n"
      "INSERT INTO policy_event_list (rule_id,event_code) VALUES (1,17);\n"
      "INSERT INTO policy_action_list (rule_id,action_id) VALUES (1,5);\n"
      "INSERT INTO policy_action_list (rule_id,action_id) VALUES (2,5);\n"
      "INSERT INTO policy_action_list (rule_id,action_id) VALUES (3,5)");
  std::string out = Check({"-t", "-f"});
  for (const char* expected : {
           ">>> SELECT id FROM event_groups WHERE id=-2147483639\n"
           "\rInvalid event group ID 0x80000009 used. Correct? (Y/N) Y\n"
           ">>> DELETE FROM policy_event_list WHERE event_code=-2147483639\n",
           ">>> SELECT event_code FROM event_cfg WHERE event_code=17\n"
           "\rInvalid event ID 0x00000011 used. Correct? (Y/N) Y\n"
           ">>> DELETE FROM policy_event_list WHERE event_code=17\n",
           "5 errors was found, 5 errors was corrected\n",
       }) {
    EXPECT_NE(out.find(expected), std::string::npos) << expected << out;
  }
  // The same missing action in three rules: three questions, three
  // deletions that all succeed, the later two removing nothing.
  const std::string action =
      ">>> SELECT action_id FROM actions WHERE action_id=5\n"
      "\rInvalid action ID 5 used. Correct? (Y/N) Y\n"
      ">>> DELETE FROM policy_action_list WHERE action_id=5\n";
  EXPECT_NE(out.find(StageOpen(kStageTitles[6]) +
                     ">>> SELECT object_id FROM policy_source_list\n"),
            std::string::npos);
  EXPECT_NE(
      out.find(action + action + action + StageLine(kStageTitles[6], "FIXED ")),
      std::string::npos)
      << out;
  EXPECT_EQ(Count("policy_event_list"), "0");
  EXPECT_EQ(Count("policy_action_list"), "0");
}

TEST_P(CheckStagesTest, FailedSelectsAreReportedAndTheRunGoesOn) {
  // The first select of stage 4 fails; node 30 has no data table; a repair
  // after both still commits.
  db_->Exec("DROP TABLE cluster_members");
  AddObject(30, "nodata");
  db_->Exec(
      "INSERT INTO nodes (id,primary_ip) VALUES (30,'0.0.0.0');\n"
      "INSERT INTO container_members (container_id,object_id) VALUES "
      "(5,30);\n"
      "INSERT INTO raw_dci_values (item_id,last_poll_time) VALUES "
      "(1,2147480000)");
  std::string out = MaskErrors(Check({"-f"}));
  EXPECT_EQ(out,
            Stages({{4, StageOpen(kStageTitles[3]) +
                            "SQL query failed (E):\n"
                            "SELECT cluster_id,node_id FROM cluster_members\n"
                            "[PASSED]\n"},
                    {8, StageOpen(kStageTitles[7]) +
                            "SQL query failed (E):\n"
                            "SELECT count(*) FROM idata_30 WHERE "
                            "idata_timestamp>" +
                            out.substr(out.find("idata_timestamp>") + 16, 10) +
                            "\n"
                            "\rFound DCIs with last poll timestamp in the "
                            "future. Correct? (Y/N) Y\n" +
                            StageLine(kStageTitles[7], "FIXED ")}}) +
                "1 errors was found, 1 errors was corrected\n"
                "All errors in database was fixed\n"
                "Commit changes (Y/N) Y\n"
                "Committing changes...\n"
                "Changes was successfully committed to database\n"
                "Database check completed\n");
  EXPECT_EQ(Count("raw_dci_values WHERE last_poll_time=2147480000"), "0");
}

TEST_P(CheckStagesTest, FailedRepairLeavesTheStageAtError) {
  // Without table acl the node deletion fails half way: the node row and
  // its properties row are deleted, the issue stays uncorrected, and what
  // succeeded is committed with the rest.
  db_->Exec("DROP TABLE acl");
  AddObject(13, "old");
  AddNode(13, "0.0.0.0");
  db_->Exec(
      "INSERT INTO raw_dci_values (item_id,last_poll_time) VALUES "
      "(1,2147480000)");
  std::string out = MaskErrors(Check({"-f"}));
  EXPECT_EQ(out, Stages({{1, StageWithQuestions(
                                 kStageTitles[0],
                                 "\rUnlinked node object 13 (\"old\"). Delete? "
                                 "(Y/N) Y\n"
                                 "SQL query failed (E):\n"
                                 "DELETE FROM acl WHERE object_id=13\n",
                                 "ERROR ")},
                         {8, StageWithQuestions(kStageTitles[7],
                                                "\rFound DCIs with last poll "
                                                "timestamp in the future. "
                                                "Correct? (Y/N) Y\n",
                                                "FIXED ")}}) +
                     "2 errors was found, 1 errors was corrected\n"
                     "Database still contain errors\n"
                     "Commit changes (Y/N) Y\n"
                     "Committing changes...\n"
                     "Changes was successfully committed to database\n"
                     "Database check completed\n");
  EXPECT_EQ(Count("nodes"), "0");
  EXPECT_EQ(Count("object_properties"), "0");
  EXPECT_EQ(Count("raw_dci_values WHERE last_poll_time=2147480000"), "0");
}

TEST_P(CheckStagesTest, AFailedCommitSaysSo) {
  if (syntax() != SYNTAX_POSTGRESQL) {
    GTEST_SKIP() << "needs a constraint checked at commit";
  }
  // Deleting node 13 breaks a foreign key that is only checked at commit.
  AddObject(13, "old");
  AddNode(13, "0.0.0.0");
  db_->Exec(
      "CREATE TABLE node_refs (node_id integer not null REFERENCES nodes (id) "
      "DEFERRABLE INITIALLY DEFERRED);\n"
      "INSERT INTO node_refs (node_id) VALUES (13)");
  std::string out = Check({"-f"});
  // The database's own text, as libpq and psqlODBC give it.
  const std::string text =
      GetParam().name == "pgsql"
          ? "ERROR:  update or delete on table \"nodes\" violates foreign key "
            "constraint \"node_refs_node_id_fkey\" on table \"node_refs\"\n"
            "DETAIL:  Key (id)=(13) is still referenced from table "
            "\"node_refs\"."
          : "[23503] ERROR: update or delete on table \"nodes\" violates "
            "foreign key constraint \"node_refs_node_id_fkey\" on table "
            "\"node_refs\"\nDETAIL: Key (id)=(13) is still referenced from "
            "table \"node_refs\".";
  const std::string tail =
      "Commit changes (Y/N) Y\n"
      "Committing changes...\n"
      "ERROR: cannot commit changes, the database was not changed\n" +
      text + "\nDatabase check aborted\n";
  ASSERT_GE(out.size(), tail.size()) << out;
  EXPECT_EQ(out.substr(out.size() - tail.size()), tail) << out;
  EXPECT_EQ(Count("nodes"), "1");
  EXPECT_EQ(Count("object_properties"), "1");
}

INSTANTIATE_BACKEND_SUITE(CheckStagesTest);

}  // namespace
