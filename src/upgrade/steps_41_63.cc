// Upgrade steps 41 to 63: conditions, agent configurations, alarm history,
// time ranges, address lists, clusters, graphs, certificates and log
// parsing, with their reference rows and server variables, and the rebuild
// of the per-node data table indexes (step 52 to 53).
//
// Every step but 52 to 53 is a fixed list of operations, kept as data: the
// runner performs them in order under the step guard and then writes the
// new version.

#include <cstddef>
#include <cstdio>

#include "db/exec.h"
#include "front/globals.h"
#include "upgrade/schema_ops.h"
#include "upgrade/step_operations.h"
#include "upgrade/steps.h"

// The index that step 52 to 53 gives every per-node data table, by syntax
// code; the node id is filled in twice. Also stored, as the format itself,
// in IDataIndexCreationCommand_1 for the tables the server makes later.
extern const char* const g_apszIDataIndexFormats[SYNTAX_COUNT];
const char* const g_apszIDataIndexFormats[SYNTAX_COUNT] = {
    "CREATE INDEX idx_idata_%d_id_timestamp ON "
    "idata_%d(item_id,idata_timestamp)",
    "CREATE INDEX idx_idata_%d_timestamp_id ON "
    "idata_%d(idata_timestamp,item_id)",
    "CREATE CLUSTERED INDEX idx_idata_%d_id_timestamp ON "
    "idata_%d(item_id,idata_timestamp)",
    "CREATE INDEX idx_idata_%d_timestamp_id ON "
    "idata_%d(idata_timestamp,item_id)",
    "CREATE INDEX idx_idata_%d_timestamp_id ON "
    "idata_%d(idata_timestamp,item_id)",
};

namespace {

// The index format of the connected database; an invalid syntax code reads
// as MySQL, as the type markers do.
const char* IDataIndexFormat() {
  bool valid = g_nDbSyntax >= 0 && g_nDbSyntax < SYNTAX_COUNT;
  return g_apszIDataIndexFormats[valid ? g_nDbSyntax : SYNTAX_MYSQL];
}

// Tables, as the steps create them.

const char kConditionsDdl[] =
    "CREATE TABLE conditions\t(id integer not null,activation_event integer "
    "not null,deactivation_event integer not null,source_object integer not "
    "null,active_status integer not null,inactive_status integer not "
    "null,script $SQL:TEXT not null,PRIMARY KEY(id))";
const char kCondDciMapDdl[] =
    "CREATE TABLE cond_dci_map (condition_id integer not null,dci_id integer "
    "not null,node_id integer not null,dci_func integer not null,num_polls "
    "integer not null,PRIMARY KEY(condition_id,dci_id))";
const char kAgentConfigsDdl[] =
    "CREATE TABLE agent_configs (config_id integer not null,config_name "
    "varchar(255) not null,config_file $SQL:TEXT not null,config_filter "
    "$SQL:TEXT not null,sequence_number integer not null,PRIMARY "
    "KEY(config_id))";
const char kAlarmNotesDdl[] =
    "CREATE TABLE alarm_notes (note_id integer not null,alarm_id integer not "
    "null,change_time integer not null,user_id integer not null,note_text "
    "$SQL:TEXT not null,PRIMARY KEY(note_id))";
const char kAlarmChangeLogDdl[] =
    "CREATE TABLE alarm_change_log\t(change_id $SQL:INT64 not "
    "null,change_time integer not null,alarm_id integer not null,opcode "
    "integer not null,user_id integer not null,info_text $SQL:TEXT not "
    "null,PRIMARY KEY(change_id))";
const char kAlarmGropsDdl[] =
    "CREATE TABLE alarm_grops (alarm_group_id integer not null,group_name "
    "varchar(255) not null,PRIMARY KEY(alarm_group_id))";
const char kAlarmGroupMapDdl[] =
    "CREATE TABLE alarm_group_map (alarm_group_id integer not null,alarm_id "
    "integer not null,PRIMARY KEY(alarm_group_id,alarm_id))";
const char kPolicyTimeRangeListDdl[] =
    "CREATE TABLE policy_time_range_list (rule_id integer not "
    "null,time_range_id integer not null,PRIMARY KEY(rule_id,time_range_id))";
const char kTimeRangesDdl[] =
    "CREATE TABLE time_ranges (time_range_id integer not null,wday_mask "
    "integer not null,mday_mask integer not null,month_mask integer not "
    "null,time_range varchar(255) not null,PRIMARY KEY(time_range_id))";
const char kAddressListsDdl[] =
    "CREATE TABLE address_lists (list_type integer not null,addr_type "
    "integer not null,addr1 varchar(15) not null,addr2 varchar(15) not null)";
const char kClustersDdl[] =
    "CREATE TABLE clusters (id integer not null,cluster_type integer not "
    "null,PRIMARY KEY(id))";
const char kClusterMembersDdl[] =
    "CREATE TABLE cluster_members (cluster_id integer not null,node_id "
    "integer not null,PRIMARY KEY(cluster_id,node_id))";
const char kClusterSyncSubnetsDdl[] =
    "CREATE TABLE cluster_sync_subnets (cluster_id integer not "
    "null,subnet_addr varchar(15) not null,subnet_mask varchar(15) not "
    "null,PRIMARY KEY(cluster_id,subnet_addr))";
const char kClusterResourcesDdl[] =
    "CREATE TABLE cluster_resources (cluster_id integer not null,resource_id "
    "integer not null,resource_name varchar(255) not null,ip_addr "
    "varchar(15) not null,PRIMARY KEY(cluster_id,resource_id))";
const char kGraphsDdl[] =
    "CREATE TABLE graphs (graph_id integer not null,owner_id integer not "
    "null,name varchar(255) not null,config $SQL:TEXT not null,PRIMARY "
    "KEY(graph_id))";
const char kGraphAclDdl[] =
    "CREATE TABLE graph_acl (graph_id integer not null,user_id integer not "
    "null,user_rights integer not null,PRIMARY KEY(graph_id,user_id))";
const char kCertificatesDdl[] =
    "CREATE TABLE certificates (cert_id integer not null,cert_type integer "
    "not null,cert_data $SQL:TEXT not null,subject $SQL:TEXT not "
    "null,comments $SQL:TEXT not null,PRIMARY KEY(cert_id))";
const char kLppGroupsDdl[] =
    "CREATE TABLE lpp_groups (lpp_group_id integer not null,lpp_group_name "
    "varchar(63) not null,parent_group integer not null,PRIMARY "
    "KEY(lpp_group_id))";
const char kLppDdl[] =
    "CREATE TABLE lpp (lpp_id integer not null,lpp_group_id integer not "
    "null,lpp_name varchar(63) not null,lpp_version integer not "
    "null,lpp_flags integer not null,PRIMARY KEY(lpp_id))";
const char kLppAssociationsDdl[] =
    "CREATE TABLE lpp_associations (lpp_id integer not null,node_id integer "
    "not null,log_file varchar(255) not null)";
const char kLppRulesetsDdl[] =
    "CREATE TABLE lpp_rulesets (ruleset_id integer not null,ruleset_name "
    "varchar(63),PRIMARY KEY(ruleset_id))";
const char kLppRulesDdl[] =
    "CREATE TABLE lpp_rules (lpp_id integer not null,rule_number integer not "
    "null,ruleset_id integer not null,msg_id_start integer not "
    "null,msg_id_end integer not null,severity integer not null,source_name "
    "varchar(255) not null,msg_text_regexp varchar(255) not null,event_code "
    "integer not null,PRIMARY KEY(lpp_id,rule_number))";

// Reference rows, one statement per line.

#define EVENT_INSERT                                                     \
  "INSERT INTO event_cfg (event_code,event_name,severity,flags,message," \
  "description) VALUES "
#define TOOL_INSERT                                                        \
  "INSERT INTO object_tools (tool_id,tool_name,tool_type,tool_data,flags," \
  "matching_oid,description) VALUES "
#define TOOL_INSERT_CONFIRMED                                              \
  "INSERT INTO object_tools (tool_id,tool_name,tool_type,tool_data,flags," \
  "matching_oid,description,confirmation_text) VALUES "
#define COLUMN_INSERT                                                    \
  "INSERT INTO object_tools_table_columns (tool_id,col_number,col_name," \
  "col_oid,col_format,col_substr) VALUES "
#define TOOL_ACL_INSERT "INSERT INTO object_tools_acl (tool_id,user_id) VALUES "
#define OID_INSERT \
  "INSERT INTO oid_to_type (pair_id,snmp_oid,node_type,node_flags) VALUES "
#define IMAGE_INSERT                                               \
  "INSERT INTO images (image_id,name,file_name_png,file_hash_png," \
  "file_name_ico,file_hash_ico) VALUES "
#define LINE "#0D#0A"
#define NO_PARAMETERS "Parameters:" LINE "   No message-specific parameters"
#define CONDITION_PARAMETERS                                                \
  "Parameters:" LINE "   1) Condition object ID" LINE                       \
  "   2) Condition object name" LINE "   3) Previous condition status" LINE \
  "   4) Current condition status"
#define INTERFACE_PARAMETERS                                                \
  "Please note that source of event is node, not an interface itself." LINE \
  "Parameters:" LINE "   1) Interface object ID" LINE                       \
  "   2) Interface name" LINE "   3) Interface IP address" LINE             \
  "   4) Interface netmask" LINE "   5) Interface index"

const char kScript41To42[] = IMAGE_INSERT
    "(15,'Obj.Condition','condition.png','<invalid_hash>','condition.ico',"
    "'<invalid_hash>')\n"
    "INSERT INTO default_images (object_class,image_id) VALUES (13, "
    "15)\n" OID_INSERT "(1,'.1.3.6.1.4.1.3224.1.*',2,0)\n" EVENT_INSERT
    "(34,'SYS_CONDITION_ACTIVATED',2,1,'Condition \"%2\" "
    "activated','Default event for condition activation." LINE
        CONDITION_PARAMETERS "')\n" EVENT_INSERT
    "(35,'SYS_CONDITION_DEACTIVATED',0,1,'Condition \"%2\" "
    "deactivated','Default event for condition deactivation." LINE
        CONDITION_PARAMETERS
    "')\n"
    "<END>";

const char kScript43To44[] =
    "DELETE FROM object_tools WHERE tool_id=8000\n"
    "DELETE FROM object_tools_table_columns WHERE tool_id=8000\n"
    "DELETE FROM object_tools_acl WHERE tool_id=8000\n" TOOL_INSERT
    "(13,'&Info->&Process list',3,'Process List#7FSystem."
    "ProcessList#7F^([0-9]+) (.*)',2,'','Show list of currently running "
    "processes')\n" COLUMN_INSERT "(13,0,'PID','',0,1)\n" COLUMN_INSERT
    "(13,1,'Name','',0,2)\n" TOOL_ACL_INSERT
    "(13,-2147483648)\n"
    "<END>";

const char kScript44To45[] = EVENT_INSERT
    "(36,'SYS_DB_CONN_LOST',4,1,'Lost connection with backend "
    "database engine','Generated if connection with backend database engine "
    "is lost." LINE NO_PARAMETERS "')\n" EVENT_INSERT
    "(37,'SYS_DB_CONN_RESTORED',0,1,'Connection with backend "
    "database engine restored','Generated when connection with backend "
    "database engine restored." LINE NO_PARAMETERS
    "')\n"
    "<END>";

const char kScript45To46[] =
    "UPDATE object_tools_table_columns SET col_format=5 WHERE tool_id=5 AND "
    "col_number=1\n" OID_INSERT "(2,'.1.3.6.1.4.1.45.3.26.*',3,0)\n" OID_INSERT
    "(3,'.1.3.6.1.4.1.45.3.30.*',3,0)\n" OID_INSERT
    "(4,'.1.3.6.1.4.1.45.3.31.*',3,0)\n" OID_INSERT
    "(5,'.1.3.6.1.4.1.45.3.32.*',3,0)\n" OID_INSERT
    "(6,'.1.3.6.1.4.1.45.3.33.*',3,0)\n" OID_INSERT
    "(7,'.1.3.6.1.4.1.45.3.34.*',3,0)\n" OID_INSERT
    "(8,'.1.3.6.1.4.1.45.3.35.*',3,0)\n" OID_INSERT
    "(9,'.1.3.6.1.4.1.45.3.36.*',3,0)\n" OID_INSERT
    "(10,'.1.3.6.1.4.1.45.3.40.*',3,0)\n" OID_INSERT
    "(11,'.1.3.6.1.4.1.45.3.61.*',3,0)\n" TOOL_INSERT
    "(14,'&Info->Topology table (Nortel)',2,'Topology table',1,"
    "'','Show topology table (Nortel protocol)')\n" COLUMN_INSERT
    "(14,0,'Peer IP','.1.3.6.1.4.1.45.1.6.13.2.1.1.3',3,0)\n" COLUMN_INSERT
    "(14,1,'Peer MAC','.1.3.6.1.4.1.45.1.6.13.2.1.1.5',4,0)\n" COLUMN_INSERT
    "(14,2,'Port','.1.3.6.1.4.1.45.1.6.13.2.1.1.2',5,0)\n" TOOL_ACL_INSERT
    "(14,-2147483648)\n" TOOL_INSERT
    "(15,'&Info->Topology table (CDP)',2,'Topology table',1,'',"
    "'Show topology table (CDP)')\n" COLUMN_INSERT
    "(15,0,'Device ID','.1.3.6.1.4.1.9.9.23.1.2.1.1.6',0,0)\n" COLUMN_INSERT
    "(15,1,'IP Address','.1.3.6.1.4.1.9.9.23.1.2.1.1.4',3,0)\n" COLUMN_INSERT
    "(15,2,'Platform','.1.3.6.1.4.1.9.9.23.1.2.1.1.8',0,0)\n" COLUMN_INSERT
    "(15,3,'Version','.1.3.6.1.4.1.9.9.23.1.2.1.1.5',0,0)\n" COLUMN_INSERT
    "(15,4,'Port','.1.3.6.1.4.1.9.9.23.1.2.1.1.7',0,0)\n" TOOL_ACL_INSERT
    "(15,-2147483648)\n"
    "<END>";

const char kScript46To47Alarms[] =
    "ALTER TABLE object_properties ADD comments $SQL:TEXT\n"
    "UPDATE object_properties SET comments='#00'\n"
    "ALTER TABLE nodes DROP COLUMN discovery_flags\n"
    "DROP TABLE alarm_notes\n"
    "ALTER TABLE alarms ADD alarm_state integer\n"
    "ALTER TABLE alarms ADD hd_state integer\n"
    "ALTER TABLE alarms ADD hd_ref varchar(63)\n"
    "ALTER TABLE alarms ADD creation_time integer\n"
    "ALTER TABLE alarms ADD last_change_time integer\n"
    "ALTER TABLE alarms ADD original_severity integer\n"
    "ALTER TABLE alarms ADD current_severity integer\n"
    "ALTER TABLE alarms ADD repeat_count integer\n"
    "ALTER TABLE alarms ADD term_by integer\n"
    "UPDATE alarms SET hd_state=0,hd_ref='#00',creation_time=alarm_timestamp,"
    "last_change_time=alarm_timestamp,original_severity=severity,"
    "current_severity=severity,repeat_count=1,term_by=ack_by\n"
    "UPDATE alarms SET alarm_state=0 WHERE is_ack=0\n"
    "UPDATE alarms SET alarm_state=2 WHERE is_ack<>0\n"
    "ALTER TABLE alarms DROP COLUMN severity\n"
    "ALTER TABLE alarms DROP COLUMN alarm_timestamp\n"
    "ALTER TABLE alarms DROP COLUMN is_ack\n"
    "ALTER TABLE thresholds ADD current_state integer\n"
    "UPDATE thresholds SET current_state=0\n"
    "<END>";

const char kScript46To47Indexes[] =
    "CREATE INDEX idx_alarm_notes_alarm_id ON alarm_notes(alarm_id)\n"
    "CREATE INDEX idx_alarm_change_log_alarm_id ON alarm_change_log(alarm_id)\n"
    "<END>";

const char kScript47To48[] =
    "ALTER TABLE event_policy ADD script $SQL:TEXT\n"
    "UPDATE event_policy SET script='#00'\n"
    "<END>";

const char kScript48To49[] =
    "ALTER TABLE items ADD all_thresholds integer\n"
    "UPDATE items SET all_thresholds=0\n"
    "ALTER TABLE thresholds ADD rearm_event_code integer\n"
    "UPDATE thresholds SET rearm_event_code=18\n"
    "<END>";

const char kScript49To50[] =
    "ALTER TABLE object_tools ADD confirmation_text varchar(255)\n"
    "UPDATE object_tools SET confirmation_text='#00'\n"
    "UPDATE object_tools SET flags=10 WHERE tool_id=1 OR tool_id=2 OR "
    "tool_id=4\n"
    "UPDATE object_tools SET confirmation_text='Host #25OBJECT_NAME#25 "
    "(#25OBJECT_IP_ADDR#25) will be shut down. Are you sure?' WHERE "
    "tool_id=1\n"
    "UPDATE object_tools SET confirmation_text='Host #25OBJECT_NAME#25 "
    "(#25OBJECT_IP_ADDR#25) will be restarted. Are you sure?' WHERE "
    "tool_id=2\n"
    "UPDATE object_tools SET confirmation_text='Orvane agent on host "
    "#25OBJECT_NAME#25 (#25OBJECT_IP_ADDR#25) will be restarted. Are you "
    "sure?' WHERE tool_id=4\n"
    "<END>";

// The second statement writes END in capitals, the third in lower case:
// both name the same column.
const char kScript50To51[] =
    "ALTER TABLE event_groups ADD range_start integer\n"
    "ALTER TABLE event_groups ADD range_END integer\n"
    "UPDATE event_groups SET range_start=0,range_end=0\n"
    "<END>";

// Tool 12's columns move up from the top down (3 to 4 before 2 to 3), so
// that no two of them ever share a number; column 2 is then free.
const char kScript51To52[] =
    "UPDATE object_tools SET tool_data='Configured ICMP targets#7FICMP."
    "TargetList#7F^(.*) (.*) (.*) (.*) (.*)' WHERE tool_id=12\n"
    "UPDATE object_tools_table_columns SET col_number=4 WHERE col_number=3 "
    "AND tool_id=12\n"
    "UPDATE object_tools_table_columns SET col_number=3 WHERE col_number=2 "
    "AND tool_id=12\n"
    "UPDATE object_tools_table_columns SET col_substr=5 WHERE col_number=1 "
    "AND tool_id=12\n" COLUMN_INSERT
    "(12,2,'Packet size','',0,4)\n" TOOL_INSERT_CONFIRMED
    "(16,'&Info->Active &user sessions',3,'Active User "
    "Sessions#7FSystem.ActiveUserSessions#7F^\"(.*)\" \"(.*)\" \"(.*)\"',2,'',"
    "'Show list of active user sessions','#00')\n" COLUMN_INSERT
    "(16,0,'User','',0,1)\n" COLUMN_INSERT
    "(16,1,'Terminal','',0,2)\n" COLUMN_INSERT
    "(16,2,'From','',0,3)\n" TOOL_ACL_INSERT
    "(16,-2147483648)\n"
    "<END>";

const char kScript53To54[] =
    "CREATE INDEX idx_address_lists_list_type ON address_lists(list_type)\n"
    "DELETE FROM config WHERE var_name='EnableAccessControl'\n"
    "DELETE FROM config WHERE var_name='EnableEventAccessControl'\n"
    "<END>";

const char kScript54To55[] =
    "ALTER TABLE containers DROP COLUMN description\n"
    "ALTER TABLE nodes DROP COLUMN description\n"
    "ALTER TABLE templates DROP COLUMN description\n"
    "ALTER TABLE zones DROP COLUMN description\n" IMAGE_INSERT
    "(16,'Obj.Cluster','cluster.png','<invalid_hash>','cluster.ico',"
    "'<invalid_hash>')\n"
    "INSERT INTO default_images (object_class,image_id) VALUES "
    "(14,16)\n" OID_INSERT "(12,'.1.3.6.1.4.1.45.3.46.*',3,0)\n" OID_INSERT
    "(13,'.1.3.6.1.4.1.45.3.52.*',3,0)\n"
    "<END>";

const char kScript55To56[] = EVENT_INSERT
    "(38,'SYS_CLUSTER_RESOURCE_MOVED',1,1,'Cluster resource "
    "\"%2\" moved from node %4 to node %6','Generated when cluster resource "
    "moved between nodes." LINE "Parameters:" LINE "   1) Resource ID" LINE
    "   2) Resource name" LINE "   3) Previous owner node ID" LINE
    "   4) Previous owner node name" LINE "   5) New owner node ID" LINE
    "   6) New owner node name')\n" EVENT_INSERT
    "(39,'SYS_CLUSTER_RESOURCE_DOWN',3,1,'Cluster resource "
    "\"%2\" is down (last owner was %4)','Generated when cluster resource "
    "goes down." LINE "Parameters:" LINE "   1) Resource ID" LINE
    "   2) Resource name" LINE "   3) Last owner node ID" LINE
    "   4) Last owner node name')\n" EVENT_INSERT
    "(40,'SYS_CLUSTER_RESOURCE_UP',0,1,'Cluster resource \"%2\" "
    "is up (new owner is %4)','Generated when cluster resource goes up." LINE
    "Parameters:" LINE "   1) Resource ID" LINE "   2) Resource name" LINE
    "   3) New owner node ID" LINE "   4) New owner node name')\n" EVENT_INSERT
    "(41,'SYS_CLUSTER_DOWN',4,1,'Cluster is down','Generated "
    "when cluster goes down." LINE NO_PARAMETERS "')\n" EVENT_INSERT
    "(42,'SYS_CLUSTER_UP',0,1,'Cluster is up','Generated when "
    "cluster goes up." LINE NO_PARAMETERS
    "')\n"
    "<END>";

const char kScript56To57[] =
    "ALTER TABLE items ADD resource_id integer\n"
    "UPDATE items SET resource_id=0\n"
    "ALTER TABLE nodes ADD snmp_proxy integer\n"
    "UPDATE nodes SET snmp_proxy=0\n"
    "<END>";

const char kScript57To58[] =
    "ALTER TABLE object_properties ADD is_system integer\n"
    "UPDATE object_properties SET is_system=0\n"
    "<END>";

const char kScript58To59[] =
    "ALTER TABLE users ADD cert_mapping_method integer\n"
    "ALTER TABLE users ADD cert_mapping_data $SQL:TEXT\n"
    "UPDATE users SET cert_mapping_method=0\n"
    "UPDATE users SET cert_mapping_data='#00'\n"
    "<END>";

// Tool 14 is replaced; its access row of step 45 to 46 stays.
const char kScript60To61[] =
    "DELETE FROM object_tools WHERE tool_id=14\n"
    "DELETE FROM object_tools_table_columns WHERE "
    "tool_id=14\n" TOOL_INSERT_CONFIRMED
    "(14,'&Info->Topology table (Nortel)',2,'Topology "
    "table',1,' ','Show topology table (Nortel "
    "protocol)','#00')\n" COLUMN_INSERT
    "(14,0,'Peer IP','.1.3.6.1.4.1.45.1.6.13.2.1.1.3',3,0)\n" COLUMN_INSERT
    "(14,1,'Peer MAC','.1.3.6.1.4.1.45.1.6.13.2.1.1.5',4,0)\n" COLUMN_INSERT
    "(14,2,'Slot','.1.3.6.1.4.1.45.1.6.13.2.1.1.1',1,0)\n" COLUMN_INSERT
    "(14,3,'Port','.1.3.6.1.4.1.45.1.6.13.2.1.1.2',1,0)\n" TOOL_INSERT_CONFIRMED
    "(17,'&Info->AR&P cache (SNMP)',2,'ARP Cache',1,"
    "' ','Show ARP cache','#00')\n" COLUMN_INSERT
    "(17,0,'IP Address','.1.3.6.1.2.1.4.22.1.3',3,0)\n" COLUMN_INSERT
    "(17,1,'MAC Address','.1.3.6.1.2.1.4.22.1.2',4,0)\n" COLUMN_INSERT
    "(17,2,'Interface','.1.3.6.1.2.1.4.22.1.1',5,0)\n" TOOL_INSERT_CONFIRMED
    "(18,'&Info->AR&P cache (Agent)',3,'ARP Cache#7F"
    "Net.ArpCache#7F(.*) (.*) (.*)',2,' ','Show ARP "
    "cache','#00')\n" COLUMN_INSERT
    "(18,0,'IP Address','.1.3.6.1.2.1.4.22.1.3',0,2)\n" COLUMN_INSERT
    "(18,1,'MAC Address','.1.3.6.1.2.1.4.22.1.2',0,1)\n" COLUMN_INSERT
    "(18,2,'Interface','.1.3.6.1.2.1.4.22.1.1',5,3)\n" TOOL_INSERT_CONFIRMED
    "(19,'&Info->&Routing table (SNMP)',2,'Routing "
    "Table',1,' ','Show IP routing table','#00')\n" COLUMN_INSERT
    "(19,0,'Destination','.1.3.6.1.2.1.4.21.1.1',3,0)\n" COLUMN_INSERT
    "(19,1,'Mask','.1.3.6.1.2.1.4.21.1.11',3,0)\n" COLUMN_INSERT
    "(19,2,'Next hop','.1.3.6.1.2.1.4.21.1.7',3,0)\n" COLUMN_INSERT
    "(19,3,'Metric','.1.3.6.1.2.1.4.21.1.3',1,0)\n" COLUMN_INSERT
    "(19,4,'Interface','.1.3.6.1.2.1.4.21.1.2',5,0)\n" TOOL_ACL_INSERT
    "(17,-2147483648)\n" TOOL_ACL_INSERT "(18,-2147483648)\n" TOOL_ACL_INSERT
    "(19,-2147483648)\n"
    "<END>";

const char kScript61To62[] =
    "UPDATE event_policy SET alarm_key=alarm_ack_key WHERE alarm_severity=6\n"
    "ALTER TABLE event_policy DROP COLUMN alarm_ack_key\n"
    "ALTER TABLE event_policy ADD alarm_timeout integer\n"
    "ALTER TABLE event_policy ADD alarm_timeout_event integer\n"
    "UPDATE event_policy SET alarm_timeout=0,alarm_timeout_event=43\n"
    "ALTER TABLE alarms ADD timeout integer\n"
    "ALTER TABLE alarms ADD timeout_event integer\n"
    "UPDATE alarms SET timeout=0,timeout_event=43\n" EVENT_INSERT
    "(43,'SYS_ALARM_TIMEOUT',1,1,'Alarm timeout expired (ID: "
    "%1; Text: %2)','Generated when alarm timeout expires." LINE
    "Parameters:" LINE "   1) Alarm ID" LINE "   2) Alarm message" LINE
    "   3) Alarm key" LINE "   4) Event code')\n" EVENT_INSERT
    "(44,'SYS_LOG_RECORD_MATCHED',1,1,'Log record matched "
    "(Policy: %1; File: %2; Record: %4)','Default event for log record "
    "match." LINE "Parameters:" LINE "   1) Policy name" LINE
    "   2) Log file name" LINE "   3) Matching regular expression" LINE
    "   4) Matched record" LINE "   5 .. 9) Reserved" LINE
    "   10 .. 99) Substrings extracted by regular expression')\n"
    "<END>";

const char kScript62To63[] = EVENT_INSERT
    "(45,'SYS_IF_UNKNOWN',1,1,'Interface \"%2\" changed state "
    "to UNKNOWN (IP Addr: %3/%4, IfIndex: %5)','Generated when interface "
    "goes to unknown state." LINE INTERFACE_PARAMETERS "')\n" EVENT_INSERT
    "(46,'SYS_IF_DISABLED',0,1,'Interface \"%2\" disabled (IP "
    "Addr: %3/%4, IfIndex: %5)','Generated when interface administratively "
    "disabled." LINE INTERFACE_PARAMETERS "')\n" EVENT_INSERT
    "(47,'SYS_IF_TESTING',0,1,'Interface \"%2\" is testing (IP "
    "Addr: %3/%4, IfIndex: %5)','Generated when interface goes to testing "
    "state." LINE INTERFACE_PARAMETERS
    "')\n"
    "<END>";

// The steps.

const StepOperation kStep41To42[] = {
    Table(kConditionsDdl),
    Table(kCondDciMapDdl),
    Script(kScript41To42),
    Variable("NumberOfConditionPollers", "10", 1, 1),
    Variable("ConditionPollingInterval", "60", 1, 1),
};
const StepOperation kStep42To43[] = {
    Variable("RADIUSPort", "1645", 1, 0),
};
const StepOperation kStep43To44[] = {
    Table(kAgentConfigsDdl),
    Script(kScript43To44),
    Variable("DBLockPID", "0", 0, 0),
};
const StepOperation kStep44To45[] = {
    Script(kScript44To45),
};
const StepOperation kStep45To46[] = {
    Script(kScript45To46),
};
const StepOperation kStep46To47[] = {
    Script(kScript46To47Alarms), Table(kAlarmNotesDdl),
    Table(kAlarmChangeLogDdl),   Table(kAlarmGropsDdl),
    Table(kAlarmGroupMapDdl),    Script(kScript46To47Indexes),
};
const StepOperation kStep47To48[] = {
    Script(kScript47To48),
    Table(kPolicyTimeRangeListDdl),
    Table(kTimeRangesDdl),
};
const StepOperation kStep48To49[] = {
    Script(kScript48To49),
};
const StepOperation kStep49To50[] = {
    Script(kScript49To50),
};
const StepOperation kStep50To51[] = {
    Script(kScript50To51),
};
const StepOperation kStep51To52[] = {
    Script(kScript51To52),
    Variable("MailEncoding", "iso-8859-1", 1, 0),
};
const StepOperation kStep53To54[] = {
    Table(kAddressListsDdl),
    Script(kScript53To54),
    Variable("ActiveNetworkDiscovery", "0", 1, 1),
    Variable("ActiveDiscoveryInterval", "7200", 1, 1),
    Variable("DiscoveryFilterFlags", "0", 1, 0),
};
const StepOperation kStep54To55[] = {
    Script(kScript54To55),
    Table(kClustersDdl),
    Table(kClusterMembersDdl),
    Table(kClusterSyncSubnetsDdl),
    Variable("WindowsConsoleUpgradeURL",
             "http://www.orvane.org/download/orvane-%version%.exe", 1, 0),
};
const StepOperation kStep55To56[] = {
    Script(kScript55To56),
    Table(kClusterResourcesDdl),
};
const StepOperation kStep56To57[] = {
    Script(kScript56To57),
};
const StepOperation kStep57To58[] = {
    Script(kScript57To58),
    Table(kGraphsDdl),
    Table(kGraphAclDdl),
};
const StepOperation kStep58To59[] = {
    Script(kScript58To59),
    Variable("InternalCA", "0", 1, 1),
};
const StepOperation kStep59To60[] = {
    Table(kCertificatesDdl),
    Variable("SNMPRequestTimeout", "2000", 1, 1),
};
const StepOperation kStep60To61[] = {
    Script(kScript60To61),
    Variable("TopologyExpirationTime", "900", 1, 0),
    Variable("TopologyDiscoveryRadius", "3", 1, 0),
};
const StepOperation kStep61To62[] = {
    Script(kScript61To62),      Table(kLppGroupsDdl),   Table(kLppDdl),
    Table(kLppAssociationsDdl), Table(kLppRulesetsDdl), Table(kLppRulesDdl),
};
const StepOperation kStep62To63[] = {
    Script(kScript62To63),
};

// The old timestamp index of a per-node data table, dropped before the new
// one is made, in the form each database accepts without failing when the
// index is not there: MySQL names an index within its table (so the drop
// needs ON, and the tables indexed under the per-table name idx_timestamp
// lose that one too); PostgreSQL and SQLite name it within the schema.
// Microsoft SQL Server and Oracle keep the statement as written: a failure
// there is ignored and leaves the transaction usable. Each form takes the
// node id twice.
const SyntaxStatement kOldIDataIndexDrops[] = {
    {{"DROP INDEX IF EXISTS idx_idata_%d_timestamp ON idata_%d",
      "DROP INDEX IF EXISTS idx_idata_%d_timestamp",
      "DROP INDEX idx_idata_%d_timestamp", "DROP INDEX idx_idata_%d_timestamp",
      "DROP INDEX IF EXISTS idx_idata_%d_timestamp"}},
    {{"DROP INDEX IF EXISTS idx_timestamp ON idata_%d", nullptr, nullptr,
      nullptr, nullptr}},
};

// True when the per-node data table of node id exists. The probe is silent;
// the PostgreSQL backend guards it so that its failure leaves the step's
// transaction usable.
bool IDataTableExists(int id) {
  char query[256];
  snprintf(query, sizeof(query), "SELECT * FROM idata_%d WHERE 1=0", id);
  db_result_t result = DBSelect(g_hDbConnection, query);
  if (result == nullptr) return false;
  DBFreeResult(result);
  return true;
}

// Replaces the old timestamp index of idata_<id> by the index of
// g_apszIDataIndexFormats. Neither statement decides the step: a drop that
// finds nothing is silent and a rejected creation is reported and passed.
// A node without its table (a deleted node's table may be gone) gets none.
void ReindexIDataTable(int id) {
  if (!IDataTableExists(id)) return;
  char query[1024];
  for (const SyntaxStatement& drop : kOldIDataIndexDrops) {
    const char* form = StatementForSyntax(drop);
    if (form == nullptr) continue;
    snprintf(query, sizeof(query), form, id, id);
    RunQuery(query, false);
  }
  snprintf(query, sizeof(query), IDataIndexFormat(), id, id);
  ExecDdl(query);
}

}  // namespace

int Migrate41To42() { return RunStep(kStep41To42, 42); }
int Migrate42To43() { return RunStep(kStep42To43, 43); }
int Migrate43To44() { return RunStep(kStep43To44, 44); }
int Migrate44To45() { return RunStep(kStep44To45, 45); }
int Migrate45To46() { return RunStep(kStep45To46, 46); }
int Migrate46To47() { return RunStep(kStep46To47, 47); }
int Migrate47To48() { return RunStep(kStep47To48, 48); }
int Migrate48To49() { return RunStep(kStep48To49, 49); }
int Migrate49To50() { return RunStep(kStep49To50, 50); }
int Migrate50To51() { return RunStep(kStep50To51, 51); }
int Migrate51To52() { return RunStep(kStep51To52, 52); }

// Rebuilds the timestamp index of every per-node data table, then stores
// the new index format for the tables the server creates later.
int Migrate52To53() {
  // Without the node list the step cannot do its work: it fails even
  // under -X.
  db_result_t nodes = ExecSelect("SELECT id FROM nodes");
  if (nodes == nullptr) return 0;
  printf("Reindexing database:\n");
  int count = DBGetNumRows(nodes);
  for (int i = 0; i < count; i++) {
    int id = DBGetFieldLong(nodes, i, 0);
    printf("   * idata_%d\n", id);
    ReindexIDataTable(id);
  }
  DBFreeResult(nodes);
  RunQuery("DELETE FROM config WHERE var_name='IDataIndexCreationCommand_1'",
           false);
  CHECK_STEP(AddServerVariable("IDataIndexCreationCommand_1",
                               IDataIndexFormat(), 0, 1, 0));
  CHECK_STEP(SetSchemaVersion(53));
  return 1;
}

int Migrate53To54() { return RunStep(kStep53To54, 54); }
int Migrate54To55() { return RunStep(kStep54To55, 55); }
int Migrate55To56() { return RunStep(kStep55To56, 56); }
int Migrate56To57() { return RunStep(kStep56To57, 57); }
int Migrate57To58() { return RunStep(kStep57To58, 58); }
int Migrate58To59() { return RunStep(kStep58To59, 59); }
int Migrate59To60() { return RunStep(kStep59To60, 60); }
int Migrate60To61() { return RunStep(kStep60To61, 61); }
int Migrate61To62() { return RunStep(kStep61To62, 62); }
int Migrate62To63() { return RunStep(kStep62To63, 63); }
