// Upgrade steps 27 to 41: system rights of users and groups, zones, status
// calculation settings, VPN connectors, object tools, DCI schedules, syslog
// and SNMP trap logs, the script library, network maps, grace logins and
// the identifiers of users and groups. Each step is a table of operations
// run in order and closed by the statement that writes its new version.

#include <uuid/uuid.h>

#include <cstddef>
#include <cstdio>

#include "db/exec.h"
#include "front/globals.h"
#include "front/runtime/runtime.h"
#include "upgrade/schema_ops.h"
#include "upgrade/step_operations.h"
#include "upgrade/steps.h"

namespace {

// The default of RADIUSServer: the local host, as a plain name.
const char kLocalHostName[] = "localhost";

const StepOperation kStep27To28[] = {
    Script("ALTER TABLE users ADD system_access integer\n"
           "UPDATE users SET system_access=access\n"
           "ALTER TABLE users DROP COLUMN access\n"
           "ALTER TABLE user_groups ADD system_access integer\n"
           "UPDATE user_groups SET system_access=access\n"
           "ALTER TABLE user_groups DROP COLUMN access\n"
           "<END>"),
};

const StepOperation kStep28To29[] = {
    Table("CREATE TABLE zones (id integer not null,zone_guid integer not "
          "null,zone_type integer not null,controller_ip varchar(15) not "
          "null,description $SQL:TEXT,PRIMARY KEY(id))"),
    Table("CREATE TABLE zone_ip_addr_list (zone_id integer not null,ip_addr "
          "varchar(15) not null,PRIMARY KEY(zone_id,ip_addr))"),
    Script("ALTER TABLE nodes ADD zone_guid integer\n"
           "ALTER TABLE subnets ADD zone_guid integer\n"
           "UPDATE nodes SET zone_guid=0\n"
           "UPDATE subnets SET zone_guid=0\n"
           "INSERT INTO default_images (object_class,image_id) VALUES (6,13)\n"
           "INSERT INTO images (image_id,name,file_name_png,file_hash_png,"
           "file_name_ico,file_hash_ico) VALUES (13,'Obj.Zone','zone.png',"
           "'<invalid_hash>','zone.ico','<invalid_hash>')\n"
           "<END>"),
    Variable("EnableZoning", "0", 1, 1),
};

const StepOperation kStep29To30[] = {
    Script("ALTER TABLE object_properties ADD status_alg integer\n"
           "UPDATE object_properties SET status_alg=-1\n"
           "<END>"),
    Variable("StatusCalculationAlgorithm", "0", 1, 1),
    Variable("EnableMultipleDBConnections", "1", 1, 1),
    Variable("NumberOfDatabaseWriters", "1", 1, 1),
    Variable("DefaultEncryptionPolicy", "1", 1, 1),
    Variable("AllowedCiphers", "15", 1, 1),
    Variable("KeepAliveInterval", "60", 1, 1),
};

const StepOperation kStep30To31[] = {
    Script(
        "INSERT INTO default_images (object_class,image_id) VALUES (12, 14)\n"
        "INSERT INTO images (image_id,name,file_name_png,file_hash_png,"
        "file_name_ico,file_hash_ico) VALUES (14,'Obj.VPNConnector',"
        "'vpnc.png','<invalid_hash>','vpnc.ico','<invalid_hash>')\n"
        "<END>"),
    Table("CREATE TABLE vpn_connectors (id integer not null,node_id integer "
          "not null,peer_gateway integer not null,PRIMARY KEY(id))"),
    Table("CREATE TABLE vpn_connector_networks (vpn_id integer not "
          "null,network_type integer not null,ip_addr varchar(15) not "
          "null,ip_netmask varchar(15) not null,PRIMARY KEY(vpn_id,ip_addr))"),
    Variable("NumberOfRoutingTablePollers", "5", 1, 1),
    Variable("RoutingTableUpdateInterval", "300", 1, 1),
};

#define TOOL_INSERT                                                        \
  "INSERT INTO object_tools (tool_id,tool_name,tool_type,tool_data,flags," \
  "description) VALUES "
#define TOOL_COLUMN_INSERT                                               \
  "INSERT INTO object_tools_table_columns (tool_id,col_number,col_name," \
  "col_oid,col_format,col_substr) VALUES "
#define TOOL_ACL_INSERT "INSERT INTO object_tools_acl (tool_id,user_id) VALUES "

// The object tool scripts keep one statement per line.
// clang-format off
const StepOperation kStep31To32[] = {
    Table("CREATE TABLE object_tools (tool_id integer not null,tool_name "
          "varchar(255) not null,tool_type integer not null,tool_data "
          "$SQL:TEXT,description varchar(255),flags integer not "
          "null,PRIMARY KEY(tool_id))"),
    Table("CREATE TABLE object_tools_acl (tool_id integer not null,user_id "
          "integer not null,PRIMARY KEY(tool_id,user_id))"),
    Script(
        TOOL_INSERT "(1,'&Shutdown system',1 ,'System.Shutdown',0,'Shutdown target node via Orvane agent')\n"
        TOOL_INSERT "(2,'&Restart system',1 ,'System.Restart',0,'Restart target node via Orvane agent')\n"
        TOOL_INSERT "(3,'&Wakeup node',0 ,'wakeup',0,'Wakeup node using Wake-On-LAN magic packet')\n"
        TOOL_INSERT "(4,'Restart &agent',1 ,'Agent.Restart',0,'Restart Orvane agent on target node')\n"
        TOOL_ACL_INSERT "(1,-2147483648)\n"
        TOOL_ACL_INSERT "(2,-2147483648)\n"
        TOOL_ACL_INSERT "(3,-2147483648)\n"
        TOOL_ACL_INSERT "(4,-2147483648)\n"
        "<END>"),
};

const StepOperation kStep32To33[] = {
    Table("CREATE TABLE object_tools_table_columns (tool_id integer not "
          "null,col_number integer not null,col_name varchar(255),col_oid "
          "varchar(255),col_format integer,col_substr integer,PRIMARY "
          "KEY(tool_id,col_number))"),
    Script(
        TOOL_INSERT "(5,'&Info->&Switch forwarding database (FDB)',2 ,'Forwarding database',0,'Show switch forwarding database')\n"
        TOOL_COLUMN_INSERT "(5,0,'MAC Address','.1.3.6.1.2.1.17.4.3.1.1',4 ,0)\n"
        TOOL_COLUMN_INSERT "(5,1,'Port','.1.3.6.1.2.1.17.4.3.1.2',1 ,0)\n"
        TOOL_INSERT "(6,'&Connect->Open &web browser',4 ,'http://#25OBJECT_IP_ADDR#25',0,'Open embedded web browser to node')\n"
        TOOL_INSERT "(7,'&Connect->Open &web browser (HTTPS)',4 ,'https://#25OBJECT_IP_ADDR#25',0,'Open embedded web browser to node using HTTPS')\n"
        TOOL_INSERT "(8,'&Info->&Agent->&Subagent list',3 ,'Subagent List#7FAgent.SubAgentList#7F^(.*) (.*) (.*) (.*)',0,'Show list of loaded subagents')\n"
        TOOL_COLUMN_INSERT "(8,0,'Name','',0 ,1)\n"
        TOOL_COLUMN_INSERT "(8,1,'Version','',0 ,2)\n"
        TOOL_COLUMN_INSERT "(8,2,'File','',0 ,4)\n"
        TOOL_COLUMN_INSERT "(8,3,'Module handle','',0 ,3)\n"
        TOOL_INSERT "(9,'&Info->&Agent->Supported &parameters',3 ,'Supported parameters#7FAgent.SupportedParameters#7F^(.*)',0,'Show list of parameters supported by agent')\n"
        TOOL_COLUMN_INSERT "(9,0,'Parameter','',0 ,1)\n"
        TOOL_INSERT "(10,'&Info->&Agent->Supported &enums',3 ,'Supported enums#7FAgent.SupportedEnums#7F^(.*)',0,'Show list of enums supported by agent')\n"
        TOOL_COLUMN_INSERT "(10,0,'Parameter','',0 ,1)\n"
        TOOL_INSERT "(11,'&Info->&Agent->Supported &actions',3 ,'Supported actions#7FAgent.ActionList#7F^(.*) (.*) #22(.*)#22.*',0,'Show list of actions supported by agent')\n"
        TOOL_COLUMN_INSERT "(11,0,'Name','',0 ,1)\n"
        TOOL_COLUMN_INSERT "(11,1,'Type','',0 ,2)\n"
        TOOL_COLUMN_INSERT "(11,2,'Data','',0 ,3)\n"
        TOOL_INSERT "(12,'&Info->&Agent->Configured &ICMP targets',3 ,'Configured ICMP targets#7FICMP.TargetList#7F^(.*) (.*) (.*) (.*)',0,'Show list of ICMP targets configured on agent')\n"
        TOOL_COLUMN_INSERT "(12,0,'IP Address','',0 ,1)\n"
        TOOL_COLUMN_INSERT "(12,1,'Name','',0 ,4)\n"
        TOOL_COLUMN_INSERT "(12,2,'Last RTT','',0 ,2)\n"
        TOOL_COLUMN_INSERT "(12,4,'Average RTT','',0 ,3)\n"
        TOOL_ACL_INSERT "(5,-2147483648)\n"
        TOOL_ACL_INSERT "(6,-2147483648)\n"
        TOOL_ACL_INSERT "(7,-2147483648)\n"
        TOOL_ACL_INSERT "(8,-2147483648)\n"
        TOOL_ACL_INSERT "(9,-2147483648)\n"
        TOOL_ACL_INSERT "(10,-2147483648)\n"
        TOOL_ACL_INSERT "(11,-2147483648)\n"
        TOOL_ACL_INSERT "(12,-2147483648)\n"
        "<END>"),
};
// clang-format on

const StepOperation kStep33To34[] = {
    Script("ALTER TABLE items ADD adv_schedule integer\n"
           "UPDATE items SET adv_schedule=0\n"
           "<END>"),
    Table("CREATE TABLE dci_schedules (item_id integer not null,schedule "
          "varchar(255) not null)"),
    Table("CREATE TABLE syslog (msg_id $SQL:INT64 not null,msg_timestamp "
          "integer not null,facility integer not null,severity integer not "
          "null,source_object_id integer not null,hostname varchar(127) not "
          "null,msg_tag varchar(32) not null,msg_text $SQL:TEXT not "
          "null,PRIMARY KEY(msg_id))"),
    Variable("IcmpPingSize", "46", 1, 1),
    Variable("SMSDrvConfig", "", 1, 1),
    Variable("EnableSyslogDaemon", "0", 1, 1),
    Variable("SyslogListenPort", "514", 1, 1),
    Variable("SyslogRetentionTime", "5184000", 1, 0),
};

const StepOperation kStep34To35[] = {
    Script("ALTER TABLE object_properties DROP COLUMN status_alg\n"
           "ALTER TABLE object_properties ADD status_calc_alg integer\n"
           "ALTER TABLE object_properties ADD status_prop_alg integer\n"
           "ALTER TABLE object_properties ADD status_fixed_val integer\n"
           "ALTER TABLE object_properties ADD status_shift integer\n"
           "ALTER TABLE object_properties ADD status_translation varchar(8)\n"
           "ALTER TABLE object_properties ADD status_single_threshold integer\n"
           "ALTER TABLE object_properties ADD status_thresholds varchar(8)\n"
           "UPDATE object_properties SET status_calc_alg=0,status_prop_alg=0,"
           "status_fixed_val=0,status_shift=0,status_translation='01020304',"
           "status_single_threshold=75,status_thresholds='503C2814'\n"
           "DELETE FROM config WHERE var_name='StatusCalculationAlgorithm'\n"
           "<END>"),
    Variable("StatusCalculationAlgorithm", "1", 1, 1),
    Variable("StatusPropagationAlgorithm", "1", 1, 1),
    Variable("FixedStatusValue", "0", 1, 1),
    Variable("StatusShift", "0", 1, 1),
    Variable("StatusTranslation", "01020304", 1, 1),
    Variable("StatusSingleThreshold", "75", 1, 1),
    Variable("StatusThresholds", "503C2814", 1, 1),
};

const StepOperation kStep35To36[] = {
    Script("ALTER TABLE nodes ADD proxy_node integer\n"
           "UPDATE nodes SET proxy_node=0\n"
           "ALTER TABLE object_tools ADD matching_oid varchar(255)\n"
           "UPDATE object_tools SET matching_oid='#00'\n"
           "<END>"),
    Variable("CapabilityExpirationTime", "604800", 1, 0),
};

#define SCRIPT_INSERT \
  "INSERT INTO script_library (script_id,script_name,script_code) VALUES "

// clang-format off
const StepOperation kStep36To37[] = {
    Table("CREATE TABLE script_library (script_id integer not "
          "null,script_name varchar(63) not null,script_code $SQL:TEXT not "
          "null,PRIMARY KEY(script_id))"),
    Script(
        "DROP TABLE new_nodes\n"
        "DELETE FROM config WHERE var_name='NewNodePollingInterval'\n"
        SCRIPT_INSERT "(1,'Filter::SNMP','sub main()#0D#0A{#0D#0A   return $1->isSNMP;#0D#0A}#0D#0A')\n"
        SCRIPT_INSERT "(2,'Filter::Agent','sub main()#0D#0A{#0D#0A   return $1->isAgent;#0D#0A}#0D#0A')\n"
        SCRIPT_INSERT "(3,'Filter::AgentOrSNMP','sub main()#0D#0A{#0D#0A   return $1->isAgent || $1->isSNMP;#0D#0A}#0D#0A')\n"
        SCRIPT_INSERT "(4,'DCI::SampleTransform','sub dci_transform()#0D#0A{#0D#0A   return $1 + 1;#0D#0A}#0D#0A')\n"
        "<END>"),
    Variable("DefaultCommunityString", "wandle", 1, 0),
    Variable("DiscoveryFilter", "none", 1, 0),
};
// clang-format on

const StepOperation kStep37To38[] = {
    Table("CREATE TABLE snmp_trap_log (trap_id $SQL:INT64 not "
          "null,trap_timestamp integer not null,ip_addr varchar(15) not "
          "null,object_id integer not null,trap_oid varchar(255) not "
          "null,trap_varlist $SQL:TEXT not null,PRIMARY KEY(trap_id))"),
    Script("CREATE INDEX idx_event_log_event_timestamp ON "
           "event_log(event_timestamp)\n"
           "CREATE INDEX idx_syslog_msg_timestamp ON syslog(msg_timestamp)\n"
           "CREATE INDEX idx_snmp_trap_log_trap_timestamp ON "
           "snmp_trap_log(trap_timestamp)\n"
           "<END>"),
    Variable("LogAllSNMPTraps", "0", 1, 1),
};

const StepOperation kStep38To39[] = {
    Table("CREATE TABLE maps\t(map_id integer not null,map_name varchar(255) "
          "not null,description $SQL:TEXT not null,root_object_id integer "
          "not null,PRIMARY KEY(map_id))"),
    Table("CREATE TABLE map_access_lists (map_id integer not null,user_id "
          "integer not null,access_rights integer not null,PRIMARY "
          "KEY(map_id,user_id))"),
    Table("CREATE TABLE submaps (map_id integer not null,submap_id integer "
          "not null,attributes integer not null,PRIMARY "
          "KEY(map_id,submap_id))"),
    Table("CREATE TABLE submap_object_positions (map_id integer not "
          "null,submap_id integer not null,object_id integer not null,x "
          "integer not null,y integer not null,PRIMARY "
          "KEY(map_id,submap_id,object_id))"),
    Table("CREATE TABLE submap_links (map_id integer not null,submap_id "
          "integer not null,object_id1 integer not null,object_id2 integer "
          "not null,link_type integer not null,PRIMARY "
          "KEY(map_id,submap_id,object_id1,object_id2))"),
    Script("INSERT INTO maps (map_id,map_name,description,root_object_id) "
           "VALUES (1,'Default','Default network map',1)\n"
           "INSERT INTO map_access_lists (map_id,user_id,access_rights) "
           "VALUES (1,-2147483648,1)\n"
           "INSERT INTO event_cfg (event_code,event_name,severity,flags,"
           "message,description) VALUES (33,'SYS_SCRIPT_ERROR',2,1,"
           "'Script (%1) execution error: %2','Generated when server "
           "encounters QZSL script execution error.#0D#0AParameters:#0D#0A   "
           "1) Script name#0D#0A   2) Error text#0D#0A   3) DCI ID if script "
           "is DCI transformation script, or 0 otherwise')\n"
           "<END>"),
    Variable("LockTimeout", "60000", 1, 1),
    Variable("DisableVacuum", "0", 1, 0),
};

const StepOperation kStep39To40[] = {
    Script("ALTER TABLE users ADD grace_logins integer\n"
           "UPDATE users SET grace_logins=5\n"
           "<END>"),
};

const StepOperation kStep40To41Columns[] = {
    Script("ALTER TABLE users ADD guid varchar(36)\n"
           "ALTER TABLE users ADD auth_method integer\n"
           "ALTER TABLE user_groups ADD guid varchar(36)\n"
           "UPDATE users SET auth_method=0\n"
           "<END>"),
};

const StepOperation kStep40To41Variables[] = {
    Variable("RADIUSServer", kLocalHostName, 1, 0),
    Variable("RADIUSSecret", "kurnip", 1, 0),
    Variable("RADIUSNumRetries", "5", 1, 0),
    Variable("RADIUSTimeout", "3", 1, 0),
};

// Gives every row of table (users or user_groups) a new identifier in its
// guid column. A failed select is reported and skips the table; returns
// false when an update failed and -X is not set.
bool GiveNewIdentifiers(const char* table) {
  char query[256];
  snprintf(query, sizeof(query), "SELECT id FROM %s", table);
  db_result_t result = ExecSelect(query);
  if (result == nullptr) return true;
  int rows = DBGetNumRows(result);
  for (int row = 0; row < rows; row++) {
    // Ids are read as their 32-bit pattern and written signed, so that a
    // group id with the top bit set comes out as the negative number the
    // database holds.
    int id = static_cast<int>(DBGetFieldULong(result, row, 0));
    uuid_t guid;
    uuid_generate(guid);
    char text[64];
    uuid_to_string(guid, text);
    snprintf(query, sizeof(query), "UPDATE %s SET guid='%s' WHERE id=%d", table,
             text, id);
    if (StepMustStop(ExecQuery(query))) {
      DBFreeResult(result);
      return false;
    }
  }
  DBFreeResult(result);
  return true;
}

}  // namespace

int Migrate27To28() { return RunStep(kStep27To28, 28); }
int Migrate28To29() { return RunStep(kStep28To29, 29); }
int Migrate29To30() { return RunStep(kStep29To30, 30); }
int Migrate30To31() { return RunStep(kStep30To31, 31); }
int Migrate31To32() { return RunStep(kStep31To32, 32); }
int Migrate32To33() { return RunStep(kStep32To33, 33); }
int Migrate33To34() { return RunStep(kStep33To34, 34); }
int Migrate34To35() { return RunStep(kStep34To35, 35); }
int Migrate35To36() { return RunStep(kStep35To36, 36); }
int Migrate36To37() { return RunStep(kStep36To37, 37); }
int Migrate37To38() { return RunStep(kStep37To38, 38); }
int Migrate38To39() { return RunStep(kStep38To39, 39); }
int Migrate39To40() { return RunStep(kStep39To40, 40); }

int Migrate40To41() {
  if (!RunOperations(kStep40To41Columns)) return 0;
  printf("Generating GUIDs...\n");
  if (!GiveNewIdentifiers("users")) return 0;
  if (!GiveNewIdentifiers("user_groups")) return 0;
  if (!RunOperations(kStep40To41Variables)) return 0;
  CHECK_STEP(SetSchemaVersion(41));
  return 1;
}
