// Upgrade steps 14 to 27: the oldest schema changes, from the first event
// definitions to the move of the common object properties into
// object_properties. Most steps are a script and a version statement; the
// conversions (event policy re-keyed, node flags folded into a bit mask, raw
// values filled, per-node index commands renumbered, object properties
// moved) are plain functions below the scripts.

#include <cctype>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <unordered_set>

#include "db/console.h"
#include "db/driver/driver.h"
#include "db/exec.h"
#include "db/readers.h"
#include "front/globals.h"
#include "upgrade/schema_ops.h"
#include "upgrade/step_operations.h"
#include "upgrade/step_resume.h"
#include "upgrade/steps.h"
#include "upgrade/table_rebuild.h"

namespace {

// ---------------------------------------------------------------- data

// The name of the local host in SMTPServer, and the mailbox there in
// SMTPFromAddr. A constant name keeps the scripts fixed; the administrator
// sets the real mail server after the upgrade.
#define LOCAL_HOST_NAME "localhost"
#define LOCAL_MAILBOX "postmaster@" LOCAL_HOST_NAME

#define OLD_EVENT_INSERT                                                   \
  "INSERT INTO events (event_id,name,severity,flags,message,description) " \
  "VALUES ("
#define EVENT_INSERT                                                     \
  "INSERT INTO event_cfg (event_code,event_name,severity,flags,message," \
  "description) VALUES ("

// The description of the data collection threshold events.
#define THRESHOLD_EVENT_DESCRIPTION                                         \
  "'Custom data collection threshold event.#0D#0AParameters:#0D#0A   1) "   \
  "Parameter name#0D#0A   2) Item description#0D#0A   3) Threshold "        \
  "value#0D#0A   4) Actual value#0D#0A   5) Data collection item ID#0D#0A " \
  "  6) Instance'"

// Index names. The steps once named the index on item_id of thresholds, of
// raw_dci_values and of every per-node data table alike, and the index on
// idata_timestamp of every per-node data table alike; index names are unique
// per schema on PostgreSQL and SQLite, so each index here carries a name of
// its own table, the one reindex and the shipped metadata use. The per-node
// formats take the node id twice, as every per-node index command does.
#define THRESHOLDS_ITEM_INDEX \
  "CREATE INDEX idx_thresholds_item_id ON thresholds(item_id)"
#define THRESHOLDS_SEQUENCE_INDEX \
  "CREATE INDEX idx_thresholds_sequence ON thresholds(sequence_number)"
#define RAW_VALUES_ITEM_INDEX \
  "CREATE INDEX idx_raw_dci_values_item_id ON raw_dci_values(item_id)"
#define IDATA_ITEM_INDEX \
  "CREATE INDEX idx_idata_%d_item_id ON idata_%d(item_id)"
#define IDATA_TIMESTAMP_INDEX \
  "CREATE INDEX idx_idata_%d_timestamp ON idata_%d(idata_timestamp)"

const char kScript14To15[] =
    "ALTER TABLE items ADD instance varchar(255)\n"
    "UPDATE items SET instance=''\n"
    "INSERT INTO config (var_name,var_value,is_visible,need_server_restart) "
    "VALUES ('SMTPServer','" LOCAL_HOST_NAME
    "',1,0)\n"
    "INSERT INTO config (var_name,var_value,is_visible,need_server_restart) "
    "VALUES ('SMTPFromAddr','" LOCAL_MAILBOX "',1,0)\n" OLD_EVENT_INSERT
    "4003,'DC_AGENT_RESTARTED',0,1,'Orvane agent was restarted within last 5 "
    "minutes'," THRESHOLD_EVENT_DESCRIPTION ")\n" OLD_EVENT_INSERT
    "4004,'DC_SERVICE_NOT_RUNNING',3,1,'Service #22%6#22 is not "
    "running'," THRESHOLD_EVENT_DESCRIPTION
    ")\n"
    "UPDATE events SET description='Generated when threshold value reached "
    "for specific data collection item.#0D#0A   1) Parameter name#0D#0A   2) "
    "Item description#0D#0A   3) Threshold value#0D#0A   4) Actual "
    "value#0D#0A   5) Data collection item ID#0D#0A   6) Instance' WHERE "
    "event_id=17 OR (event_id>=4000 AND event_id<5000)\n"
    "UPDATE events SET description='Generated when threshold check is rearmed "
    "for specific data collection item.#0D#0AParameters:#0D#0A   1) Parameter "
    "name#0D#0A   2) Item description#0D#0A   3) Data collection item ID' "
    "WHERE event_id=18\n"
    "<END>";

const char kScript15To16[] = OLD_EVENT_INSERT
    "4005,'DC_MAILBOX_TOO_LARGE',1,1,'Mailbox #22%6#22 exceeds size limit "
    "(allowed size: %3; actual size: %4)'," THRESHOLD_EVENT_DESCRIPTION
    ")\n" OLD_EVENT_INSERT
    "4006,'DC_AGENT_VERSION_CHANGE',0,1,'Orvane agent version was changed "
    "from %3 to %4'," THRESHOLD_EVENT_DESCRIPTION ")\n" OLD_EVENT_INSERT
    "4007,'DC_HOSTNAME_CHANGE',1,1,'Host name was changed from %3 to "
    "%4'," THRESHOLD_EVENT_DESCRIPTION ")\n" OLD_EVENT_INSERT
    "4008,'DC_FILE_CHANGE',1,1,'File #22%6#22 was "
    "changed'," THRESHOLD_EVENT_DESCRIPTION
    ")\n"
    "<END>";

#define TRAP_INSERT \
  "INSERT INTO snmp_trap_cfg (trap_id,snmp_oid,event_id,description) VALUES ("
#define TRAP_PARAMETER_INSERT                                            \
  "INSERT INTO snmp_trap_pmap (trap_id,parameter,snmp_oid,description) " \
  "VALUES ("

const char kScript16To17[] =
    "DROP TABLE locks\n"
    "CREATE TABLE snmp_trap_cfg (trap_id integer not null,snmp_oid "
    "varchar(255) not null,event_id integer not null,description "
    "varchar(255),PRIMARY KEY(trap_id))\n"
    "CREATE TABLE snmp_trap_pmap (trap_id integer not null,parameter integer "
    "not null,snmp_oid varchar(255),description varchar(255),PRIMARY "
    "KEY(trap_id,parameter))\n" OLD_EVENT_INSERT
    "500,'SNMP_UNMATCHED_TRAP',0,1,'SNMP trap received: %1 (Parameters: "
    "%2)','Generated when system receives an SNMP trap without match in trap "
    "configuration table.#0D#0AParameters:#0D#0A   1) SNMP trap OID#0D#0A   "
    "2) Trap parameters')\n" OLD_EVENT_INSERT
    "501,'SNMP_COLD_START',0,1,'System was cold-started','Generated when "
    "system receives a coldStart SNMP trap.#0D#0AParameters:#0D#0A   1) SNMP "
    "trap OID')\n" OLD_EVENT_INSERT
    "502,'SNMP_WARM_START',0,1,'System was warm-started','Generated when "
    "system receives a warmStart SNMP trap.#0D#0AParameters:#0D#0A   1) SNMP "
    "trap OID')\n" OLD_EVENT_INSERT
    "503,'SNMP_LINK_DOWN',3,1,'Link is down','Generated when system receives "
    "a linkDown SNMP trap.#0D#0AParameters:#0D#0A   1) SNMP trap OID#0D#0A   "
    "2) Interface index')\n" OLD_EVENT_INSERT
    "504,'SNMP_LINK_UP',0,1,'Link is up','Generated when system receives a "
    "linkUp SNMP trap.#0D#0AParameters:#0D#0A   1) SNMP trap OID#0D#0A   2) "
    "Interface index')\n" OLD_EVENT_INSERT
    "505,'SNMP_AUTH_FAILURE',1,1,'SNMP authentication failure','Generated "
    "when system receives an authenticationFailure SNMP "
    "trap.#0D#0AParameters:#0D#0A   1) SNMP trap OID')\n" OLD_EVENT_INSERT
    "506,'SNMP_EGP_NEIGHBOR_LOSS',1,1,'EGP neighbor loss','Generated when "
    "system receives an egpNeighborLoss SNMP trap.#0D#0AParameters:#0D#0A   "
    "1) SNMP trap OID')\n" TRAP_INSERT
    "1,'.1.3.6.1.6.3.1.1.5.1',501,'Generic coldStart trap')\n" TRAP_INSERT
    "2,'.1.3.6.1.6.3.1.1.5.2',502,'Generic warmStart trap')\n" TRAP_INSERT
    "3,'.1.3.6.1.6.3.1.1.5.3',503,'Generic linkDown trap')\n" TRAP_INSERT
    "4,'.1.3.6.1.6.3.1.1.5.4',504,'Generic linkUp trap')\n" TRAP_INSERT
    "5,'.1.3.6.1.6.3.1.1.5.5',505,'Generic authenticationFailure "
    "trap')\n" TRAP_INSERT
    "6,'.1.3.6.1.6.3.1.1.5.6',506,'Generic egpNeighborLoss "
    "trap')\n" TRAP_PARAMETER_INSERT
    "3,1,'.1.3.6.1.2.1.2.2.1.1','Interface index')\n" TRAP_PARAMETER_INSERT
    "4,1,'.1.3.6.1.2.1.2.2.1.1','Interface index')\n"
    "<END>";

const char kPolicyEventListDdl[] =
    "CREATE TABLE policy_event_list (rule_id integer not null,event_code "
    "integer not null,PRIMARY KEY(rule_id,event_code))";

// Writes the policy's event list rows back by event code.
bool WritePolicyEventList(db_result_t rows, const char* target) {
  int count = DBGetNumRows(rows);
  for (int i = 0; i < count; i++) {
    char query[256];
    snprintf(query, sizeof(query),
             "INSERT INTO %s (rule_id,event_code) VALUES (%d,%d)", target,
             static_cast<int>(DBGetFieldULong(rows, i, 0)),
             static_cast<int>(DBGetFieldULong(rows, i, 1)));
    if (StepMustStop(ExecQuery(query))) return false;
  }
  return true;
}

const TableRebuild kPolicyEventListRebuild = {
    "policy_event_list",
    "SELECT rule_id,event_id FROM policy_event_list",
    kPolicyEventListDdl,
    false,
    nullptr,
    WritePolicyEventList,
};

// Formatted with the long-text type of the database.
const char kEventCfgDdl[] =
    "CREATE TABLE event_cfg (event_code integer not null,event_name "
    "varchar(63) not null,severity integer,flags integer,message "
    "varchar(255),description %s,PRIMARY KEY(event_code))";
const char kModulesDdl[] =
    "CREATE TABLE modules (module_id integer not null,module_name "
    "varchar(63),exec_name varchar(255),module_flags integer not null default "
    "0,description %s,license_key varchar(255),PRIMARY KEY(module_id))";

const char kScript17To18[] =
    "ALTER TABLE nodes DROP COLUMN inherit_access_rights\n"
    "ALTER TABLE nodes ADD agent_version varchar(63)\n"
    "UPDATE nodes SET agent_version='' WHERE is_agent=0\n"
    "UPDATE nodes SET agent_version='<unknown>' WHERE is_agent=1\n"
    "INSERT INTO event_cfg "
    "(event_code,event_name,severity,flags,message,description) SELECT "
    "event_id,name,severity,flags,message,description FROM events\n"
    "DROP TABLE events\n"
    "DROP TABLE event_group_members\n"
    "CREATE TABLE event_group_members (group_id integer not null,event_code "
    "integer not null,\tPRIMARY KEY(group_id,event_code))\n"
    "ALTER TABLE alarms ADD source_event_code integer\n"
    "UPDATE alarms SET source_event_code=source_event_id\n"
    "ALTER TABLE alarms DROP COLUMN source_event_id\n"
    "ALTER TABLE alarms ADD source_event_id bigint\n"
    "UPDATE alarms SET source_event_id=0\n"
    "ALTER TABLE snmp_trap_cfg ADD event_code integer not null default 0\n"
    "UPDATE snmp_trap_cfg SET event_code=event_id\n"
    "ALTER TABLE snmp_trap_cfg DROP COLUMN event_id\n"
    "DROP TABLE event_log\n"
    "CREATE TABLE event_log (event_id bigint not null,event_code "
    "integer,event_timestamp integer,event_source integer,event_severity "
    "integer,event_message varchar(255),root_event_id bigint default "
    "0,PRIMARY KEY(event_id))\n"
    "<END>";

const char kScript18To19[] =
    "ALTER TABLE nodes ADD platform_name varchar(63)\n"
    "UPDATE nodes SET platform_name=''\n"
    "<END>";

const char kAgentPkgDdl[] =
    "CREATE TABLE agent_pkg (pkg_id integer not null,pkg_name "
    "varchar(63),version varchar(31),platform varchar(63),pkg_file "
    "varchar(255),description varchar(255),PRIMARY KEY(pkg_id))";

const char kScript19To20[] =
    "ALTER TABLE nodes ADD poller_node_id integer\n"
    "ALTER TABLE nodes ADD is_ospf integer\n"
    "UPDATE nodes SET poller_node_id=0,is_ospf=0\n" EVENT_INSERT
    "28,'SYS_NODE_DOWN',4,1,'Node down','Generated when node is not "
    "responding to management server.#0D#0AParameters:#0D#0A   No "
    "event-specific parameters')\n" EVENT_INSERT
    "29,'SYS_NODE_UP',0,1,'Node up','Generated when communication with the "
    "node re-established.#0D#0AParameters:#0D#0A   No event-specific "
    "parameters')\n" EVENT_INSERT
    "25,'SYS_SERVICE_DOWN',3,1,'Network service #22%1#22 is not "
    "responding','Generated when network service is not responding to "
    "management server as expected.#0D#0AParameters:#0D#0A   1) Service "
    "name#0D#0A   2) Service object ID#0D#0A   3) Service "
    "type')\n" EVENT_INSERT
    "26,'SYS_SERVICE_UP',0,1,'Network service #22%1#22 returned to "
    "operational state','Generated when network service responds as "
    "expected after failure.#0D#0AParameters:#0D#0A   1) Service "
    "name#0D#0A   2) Service object ID#0D#0A   3) Service "
    "type')\n" EVENT_INSERT
    "27,'SYS_SERVICE_UNKNOWN',1,1,'Status of network service #22%1#22 is "
    "unknown','Generated when management server is unable to determine "
    "state of the network service due to agent or server-to-agent "
    "communication failure.#0D#0AParameters:#0D#0A   1) Service "
    "name#0D#0A   2) Service object ID#0D#0A   3) Service type')\n"
    "INSERT INTO images "
    "(image_id,name,file_name_png,file_hash_png,file_name_ico,file_hash_ico) "
    "VALUES "
    "(12,'Obj.NetworkService','network_service.png','<invalid_hash>','"
    "network_service.ico','<invalid_hash>')\n"
    "INSERT INTO default_images (object_class,image_id) VALUES (11,12)\n"
    "<END>";

const char kNetworkServicesDdl[] =
    "CREATE TABLE network_services (id integer not null,name "
    "varchar(63),status integer,is_deleted integer,node_id integer not "
    "null,service_type integer,ip_bind_addr varchar(15),ip_proto "
    "integer,ip_port integer,check_request $SQL:TEXT,check_responce "
    "$SQL:TEXT,poller_node_id integer not null,image_id integer not "
    "null,PRIMARY KEY(id))";

const char kScript20To21Start[] = EVENT_INSERT
    "30,'SYS_SMS_FAILURE',1,1,'Unable to send SMS to phone %1','Generated "
    "when server is unable to send SMS.#0D#0AParameters:#0D#0A   1) Phone "
    "number')\n"
    "ALTER TABLE nodes ADD node_flags integer\n"
    "<END>";

const char kScript20To21End[] =
    "ALTER TABLE nodes DROP COLUMN is_snmp\n"
    "ALTER TABLE nodes DROP COLUMN is_agent\n"
    "ALTER TABLE nodes DROP COLUMN is_bridge\n"
    "ALTER TABLE nodes DROP COLUMN is_router\n"
    "ALTER TABLE nodes DROP COLUMN is_local_mgmt\n"
    "ALTER TABLE nodes DROP COLUMN is_ospf\n" THRESHOLDS_ITEM_INDEX
    "\n"
    "<END>";

const char kScript21To22[] = EVENT_INSERT
    "4009,'DC_HDD_TEMP_WARNING',1,1,'Temperature of hard disk %6 is above "
    "warning level of %3 (current: %4)'," THRESHOLD_EVENT_DESCRIPTION
    ")\n" EVENT_INSERT
    "4010,'DC_HDD_TEMP_MAJOR',3,1,'Temperature of hard disk %6 is above %3 "
    "(current: %4)'," THRESHOLD_EVENT_DESCRIPTION ")\n" EVENT_INSERT
    "4011,'DC_HDD_TEMP_CRITICAL',4,1,'Temperature of hard disk %6 is above "
    "critical level of %3 (current: %4)'," THRESHOLD_EVENT_DESCRIPTION
    ")\n"
    "<END>";

const char kScript22To23[] =
    "ALTER TABLE items ADD template_item_id integer\n"
    "UPDATE items SET template_item_id=0\n" THRESHOLDS_SEQUENCE_INDEX
    "\n"
    "<END>";

const char kRawDciValuesDdl[] =
    "CREATE TABLE raw_dci_values (\titem_id integer not null,   raw_value "
    "varchar(255),   last_poll_time integer,   PRIMARY KEY(item_id))";

// Every item gets the empty raw value and the last poll time 1.
const char kFillRawValues[] =
    "INSERT INTO raw_dci_values (item_id,raw_value,last_poll_time) SELECT "
    "item_id,'#00',1 FROM items";

const char kObjectPropertiesDdl[] =
    "CREATE TABLE object_properties (object_id integer not null,name "
    "varchar(63) not null,status integer not null,is_deleted integer not "
    "null,image_id integer,last_modified integer not "
    "null,inherit_access_rights integer not null,PRIMARY KEY(object_id))";
const char kUserProfilesDdl[] =
    "CREATE TABLE user_profiles (user_id integer not null,var_name "
    "varchar(255) not null,var_value $SQL:TEXT,PRIMARY KEY(user_id,var_name))";

const char kScript26To27[] =
    "ALTER TABLE nodes DROP COLUMN name\n"
    "ALTER TABLE nodes DROP COLUMN status\n"
    "ALTER TABLE nodes DROP COLUMN is_deleted\n"
    "ALTER TABLE nodes DROP COLUMN image_id\n"
    "ALTER TABLE interfaces DROP COLUMN name\n"
    "ALTER TABLE interfaces DROP COLUMN status\n"
    "ALTER TABLE interfaces DROP COLUMN is_deleted\n"
    "ALTER TABLE interfaces DROP COLUMN image_id\n"
    "ALTER TABLE subnets DROP COLUMN name\n"
    "ALTER TABLE subnets DROP COLUMN status\n"
    "ALTER TABLE subnets DROP COLUMN is_deleted\n"
    "ALTER TABLE subnets DROP COLUMN image_id\n"
    "ALTER TABLE network_services DROP COLUMN name\n"
    "ALTER TABLE network_services DROP COLUMN status\n"
    "ALTER TABLE network_services DROP COLUMN is_deleted\n"
    "ALTER TABLE network_services DROP COLUMN image_id\n"
    "ALTER TABLE containers DROP COLUMN name\n"
    "ALTER TABLE containers DROP COLUMN status\n"
    "ALTER TABLE containers DROP COLUMN is_deleted\n"
    "ALTER TABLE containers DROP COLUMN image_id\n"
    "ALTER TABLE templates DROP COLUMN name\n"
    "ALTER TABLE templates DROP COLUMN is_deleted\n"
    "ALTER TABLE templates DROP COLUMN image_id\n"
    "DROP TABLE access_options\n"
    "DELETE FROM config WHERE var_name='TopologyRootObjectName'\n"
    "DELETE FROM config WHERE var_name='TopologyRootImageId'\n"
    "DELETE FROM config WHERE var_name='ServiceRootObjectName'\n"
    "DELETE FROM config WHERE var_name='ServiceRootImageId'\n"
    "DELETE FROM config WHERE var_name='TemplateRootObjectName'\n"
    "DELETE FROM config WHERE var_name='TemplateRootImageId'\n" EVENT_INSERT
    "31,'SYS_SNMP_OK',0,1,'Connectivity with SNMP agent restored','Generated "
    "when connectivity with node#27s SNMP agent restored.#0D#0AParameters:"
    "#0D#0A   No message-specific parameters')\n" EVENT_INSERT
    "32,'SYS_AGENT_OK',0,1,'Connectivity with native agent "
    "restored','Generated when connectivity with node#27s native agent "
    "restored.#0D#0AParameters:#0D#0A   No message-specific parameters')\n"
    "<END>";

// The steps that are only operations, run in order before the version
// statement. Server variables keep any value already stored.
const StepOperation kStep14To15[] = {
    Script(kScript14To15),
};

const StepOperation kStep15To16[] = {
    Script(kScript15To16),
};

const StepOperation kStep16To17[] = {
    Script(kScript16To17),
    Variable("DBLockStatus", "UNLOCKED", 0, 1),
    Variable("DBLockInfo", "", 0, 0),
    Variable("EnableSNMPTraps", "1", 1, 1),
    Variable("SMSDriver", "<none>", 1, 1),
    Variable("SMTPServer", LOCAL_HOST_NAME, 1, 0),
    Variable("SMTPFromAddr", LOCAL_MAILBOX, 1, 0),
};

const StepOperation kStep18To19[] = {
    Script(kScript18To19),
    Table(kAgentPkgDdl),
};

const StepOperation kStep19To20[] = {
    Script(kScript19To20),
    Table(kNetworkServicesDdl),
};

// The server variables that close step 20 to 21, after its conversions.
const StepOperation kVariables20To21[] = {
    Variable("NumberOfStatusPollers", "10", 1, 1),
    Variable("NumberOfConfigurationPollers", "4", 1, 1),
    Variable("IDataIndexCreationCommand", IDATA_ITEM_INDEX, 0, 1),
};

const StepOperation kStep21To22[] = {
    Script(kScript21To22),
    Variable("SMSDriver", "<none>", 1, 1),
    Variable("AgentUpgradeWaitTime", "600", 1, 0),
    Variable("NumberOfUpgradeThreads", "10", 1, 0),
};

const StepOperation kStep22To23[] = {
    Script(kScript22To23),
};

const StepOperation kStep23To24[] = {
    Table(kRawDciValuesDdl),
    Ddl(RAW_VALUES_ITEM_INDEX),
    Query(kFillRawValues),
};

// The old node flag columns and their bits in node_flags; 0x20 is not used.
const struct {
  const char* column;
  int bit;
} kNodeFlags[] = {
    {"is_snmp", 0x01},   {"is_agent", 0x02},      {"is_bridge", 0x04},
    {"is_router", 0x08}, {"is_local_mgmt", 0x10}, {"is_ospf", 0x40},
};

// The built-in root objects and where their names and images were kept.
const struct {
  int id;
  const char* name_variable;
  const char* default_name;
  const char* image_variable;
} kRootObjects[] = {
    {1, "TopologyRootObjectName", "Entire Network", "TopologyRootImageId"},
    {2, "ServiceRootObjectName", "All Services", "ServiceRootImageId"},
    {3, "TemplateRootObjectName", "Templates", "TemplateRootImageId"},
};

// The per-class tables that held the common object properties, in the
// order an object is looked up in them. Templates have no status column;
// their objects get status 5.
const struct {
  const char* table;
  const char* status;
} kObjectTables[] = {
    {"nodes", "status"},
    {"interfaces", "status"},
    {"subnets", "status"},
    {"templates", nullptr},
    {"network_services", "status"},
    {"containers", "status"},
};

// Object names are stored hash-escaped in a varchar(63) column.
const size_t kMaxObjectName = 63;

// ---------------------------------------------------------- operations

// Runs a DDL text formatted with the long-text type of the database.
bool ExecDdlWithTextType(const char* format) {
  int syntax = (g_nDbSyntax >= 0 && g_nDbSyntax < SYNTAX_COUNT) ? g_nDbSyntax
                                                                : SYNTAX_MYSQL;
  char ddl[4096];
  snprintf(ddl, sizeof(ddl), format, g_apszSqlTypes[syntax][0]);
  return ExecDdl(ddl);
}

// Asks whether to index the per-node data tables and, on yes, creates the
// index of format (the node id twice) on the table of every node not marked
// deleted. Returns false when the step must stop.
bool AskAndIndexNodeTables(const char* format) {
  printf("Create indexes on existing IDATA tables? (Y/N) ");
  // A rerun past this point continues what the interrupted run answered
  // yes to: only the indexes come after the question.
  if (StepReplaying()) {
    printf("Y\n");
  } else if (!AskYesNo()) {
    return true;
  }
  db_result_t result = ExecSelect("SELECT id FROM nodes WHERE is_deleted=0");
  if (result == nullptr) return !StepMustStop(false);
  int rows = DBGetNumRows(result);
  for (int i = 0; i < rows; i++) {
    int id = static_cast<int>(DBGetFieldULong(result, i, 0));
    printf("Creating indexes for table \"idata_%d\"...\n", id);
    char query[256];
    snprintf(query, sizeof(query), format, id, id);
    if (StepMustStop(ExecDdl(query))) {
      DBFreeResult(result);
      return false;
    }
  }
  DBFreeResult(result);
  return true;
}

// Returns the width of the token of hash-escaped text at pos (3 for a
// "#xx" escape, else 1) and stores the byte it stands for in *byte.
size_t EscapedToken(const std::string& text, size_t pos, unsigned char* byte) {
  if (text[pos] == '#' && pos + 2 < text.size() &&
      isxdigit(static_cast<unsigned char>(text[pos + 1])) &&
      isxdigit(static_cast<unsigned char>(text[pos + 2]))) {
    *byte = static_cast<unsigned char>(
        strtoul(text.substr(pos + 1, 2).c_str(), nullptr, 16));
    return 3;
  }
  *byte = static_cast<unsigned char>(text[pos]);
  return 1;
}

bool IsUtf8Continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Returns hash-escaped text cut to at most max_bytes bytes, keeping every
// escape whole and never ending inside a UTF-8 character.
std::string CutEscapedText(const std::string& text, size_t max_bytes) {
  size_t end = 0;
  size_t character_start = 0;
  unsigned char byte = 0;
  while (end < text.size()) {
    size_t width = EscapedToken(text, end, &byte);
    if (end + width > max_bytes) break;
    if (!IsUtf8Continuation(byte)) character_start = end;
    end += width;
  }
  if (end < text.size()) {
    EscapedToken(text, end, &byte);
    if (IsUtf8Continuation(byte)) end = character_start;
  }
  return text.substr(0, end);
}

// Writes the object_properties row of built-in root object `index` with its
// name and image from the server variables (the decoded name stored
// hash-escaped, like every other object name).
bool AddRootObject(int index, int inherit) {
  char name[1024];
  ReadServerVariable(kRootObjects[index].name_variable, name, sizeof(name),
                     kRootObjects[index].default_name);
  uint32_t image =
      ReadServerVariableUInt(kRootObjects[index].image_variable, 0);
  char* encoded = EncodeSQLString(name);
  if (encoded == nullptr) return false;
  std::string stored = CutEscapedText(encoded, kMaxObjectName);
  free(encoded);
  String literal = DBPrepareString(g_hDbConnection, stored.c_str());
  char query[1024];
  snprintf(query, sizeof(query),
           "INSERT INTO object_properties "
           "(object_id,name,status,is_deleted,image_id,inherit_access_rights,"
           "last_modified) VALUES (%d,%s,5,0,%d,%d,%ld)",
           kRootObjects[index].id, literal.str().c_str(),
           static_cast<int>(image), inherit, static_cast<long>(time(nullptr)));
  return ExecQuery(query);
}

// Copies the common properties of every object of table `index` that has
// no object_properties row yet; the inherit flag comes from access_options,
// 1 for an object without a row there.
bool ConvertObjectProperties(int index, long now) {
  const char* table = kObjectTables[index].table;
  const char* status = kObjectTables[index].status;
  char query[1024];
  snprintf(query, sizeof(query),
           "INSERT INTO object_properties "
           "(object_id,name,status,is_deleted,image_id,inherit_access_rights,"
           "last_modified) SELECT t.id,COALESCE(t.name,''),%s%s%s,CASE WHEN "
           "t.is_deleted<>0 THEN 1 ELSE 0 END,COALESCE(t.image_id,0),CASE "
           "WHEN a.object_id IS NULL OR a.inherit_rights<>0 THEN 1 ELSE 0 END,"
           "%ld FROM %s t LEFT JOIN access_options a ON a.object_id=t.id "
           "WHERE NOT EXISTS (SELECT 1 FROM object_properties p WHERE "
           "p.object_id=t.id)",
           status != nullptr ? "COALESCE(t." : "",
           status != nullptr ? status : "5", status != nullptr ? ",0)" : "",
           now, table);
  return ExecQuery(query);
}

// The names longer than the name column. Only SQLite, which does not
// enforce column lengths, can hold such names; elsewhere nothing is read.
const SyntaxStatement kLongObjectNames = {{
    nullptr,  // MySQL
    nullptr,  // PostgreSQL
    nullptr,  // Microsoft SQL Server
    nullptr,  // Oracle
    "SELECT object_id,name FROM object_properties WHERE LENGTH(name)>63",
}};

// Cuts the names that do not fit the name column, at whole escapes.
bool CutLongObjectNames() {
  const char* query = StatementForSyntax(kLongObjectNames);
  if (query == nullptr) return true;
  db_result_t result = ExecSelect(query);
  if (result == nullptr) return false;
  int rows = DBGetNumRows(result);
  for (int i = 0; i < rows; i++) {
    std::string name =
        CutEscapedText(DBGetFieldString(result, i, 1), kMaxObjectName);
    String literal = DBPrepareString(g_hDbConnection, name.c_str());
    String update;
    update.addFormattedString(
        "UPDATE object_properties SET name=%s WHERE object_id=%d",
        literal.str().c_str(), static_cast<int>(DBGetFieldULong(result, i, 0)));
    if (StepMustStop(ExecQuery(update.str().c_str()))) {
      DBFreeResult(result);
      return false;
    }
  }
  DBFreeResult(result);
  return true;
}

// Adds the ids of every per-class object to ids. Returns false when the
// step must stop.
bool ReadObjectIds(std::unordered_set<uint32_t>* ids) {
  for (const auto& t : kObjectTables) {
    std::string query = std::string("SELECT id FROM ") + t.table;
    db_result_t result = ExecSelect(query.c_str());
    if (result == nullptr) {
      if (StepMustStop(false)) return false;
      continue;
    }
    int rows = DBGetNumRows(result);
    for (int i = 0; i < rows; i++) ids->insert(DBGetFieldULong(result, i, 0));
    DBFreeResult(result);
  }
  return true;
}

// Moves the common object properties into object_properties: the root
// objects from their server variables, every per-class object from its
// table. Returns false when the step must stop.
bool MoveObjectProperties() {
  bool root_done[3] = {false, false, false};
  db_result_t result =
      ExecSelect("SELECT object_id,inherit_rights FROM access_options");
  if (result == nullptr) {
    if (StepMustStop(false)) return false;
  } else {
    std::unordered_set<uint32_t> object_ids;
    if (!ReadObjectIds(&object_ids)) {
      DBFreeResult(result);
      return false;
    }
    int rows = DBGetNumRows(result);
    for (int i = 0; i < rows; i++) {
      uint32_t id = DBGetFieldULong(result, i, 0);
      int inherit = DBGetFieldLong(result, i, 1) != 0 ? 1 : 0;
      if (id >= 10) {
        if (object_ids.count(id) == 0) {
          printf(
              "WARNING: object with ID %d presented in access control tables "
              "but cannot be found in data tables\n",
              static_cast<int>(id));
        }
      } else if (id >= 1 && id <= 3) {
        if (StepMustStop(AddRootObject(id - 1, inherit))) {
          DBFreeResult(result);
          return false;
        }
        root_done[id - 1] = true;
      } else {
        printf("WARNING: Invalid built-in object ID %d\n",
               static_cast<int>(id));
      }
    }
    DBFreeResult(result);
  }
  // A root object or per-class object without an access_options row keeps
  // its properties too, inheriting its access rights.
  for (int i = 0; i < 3; i++) {
    if (!root_done[i] && StepMustStop(AddRootObject(i, 1))) return false;
  }
  long now = static_cast<long>(time(nullptr));
  for (size_t i = 0; i < sizeof(kObjectTables) / sizeof(kObjectTables[0]);
       i++) {
    if (StepMustStop(ConvertObjectProperties(static_cast<int>(i), now))) {
      return false;
    }
  }
  return CutLongObjectNames() || !StepMustStop(false);
}

}  // namespace

// ---------------------------------------------------------------- steps

int Migrate14To15() { return RunStep(kStep14To15, 15); }

int Migrate15To16() { return RunStep(kStep15To16, 16); }

int Migrate16To17() { return RunStep(kStep16To17, 17); }

int Migrate17To18() {
  // The policy's event list is re-keyed by event code: its rows are read,
  // the table is made again and the rows written back.
  RebuildOutcome rebuilt = RebuildTable(kPolicyEventListRebuild);
  if (rebuilt == kRebuildStopped) return 0;
  if (rebuilt == kRowsUnread) CHECK_STEP(false);
  CHECK_STEP(ExecDdlWithTextType(kEventCfgDdl));
  CHECK_STEP(RunScript(kScript17To18));
  CHECK_STEP(ExecDdlWithTextType(kModulesDdl));
  CHECK_STEP(SetSchemaVersion(18));
  return 1;
}

int Migrate18To19() { return RunStep(kStep18To19, 19); }

int Migrate19To20() { return RunStep(kStep19To20, 20); }

int Migrate20To21() {
  CHECK_STEP(RunScript(kScript20To21Start));
  // The six flag columns fold into one mask, in one statement for all nodes.
  std::string update = "UPDATE nodes SET node_flags=";
  for (size_t i = 0; i < sizeof(kNodeFlags) / sizeof(kNodeFlags[0]); i++) {
    if (i > 0) update += "+";
    update += std::string("(CASE WHEN ") + kNodeFlags[i].column + "<>0 THEN " +
              std::to_string(kNodeFlags[i].bit) + " ELSE 0 END)";
  }
  CHECK_STEP(ExecQuery(update.c_str()));
  CHECK_STEP(RunScript(kScript20To21End));
  if (!AskAndIndexNodeTables(IDATA_ITEM_INDEX)) return 0;
  if (!RunOperations(kVariables20To21)) return 0;
  CHECK_STEP(SetSchemaVersion(21));
  return 1;
}

int Migrate21To22() { return RunStep(kStep21To22, 22); }

int Migrate22To23() { return RunStep(kStep22To23, 23); }

int Migrate23To24() { return RunStep(kStep23To24, 24); }

int Migrate24To25() {
  if (!AskAndIndexNodeTables(IDATA_TIMESTAMP_INDEX)) return 0;
  CHECK_STEP(SetSchemaVersion(25));
  return 1;
}

int Migrate25To26() {
  // A failed select only skips the copy of the old command.
  db_result_t result = ExecSelect(
      "SELECT var_value FROM config WHERE "
      "var_name='IDataIndexCreationCommand'");
  if (result != nullptr) {
    if (DBGetNumRows(result) > 0) {
      // Stored hash-escaped; AddServerVariable escapes the plain text.
      std::string command = DBGetFieldString(result, 0, 0);
      DecodeSQLString(&command[0]);
      command.resize(strlen(command.c_str()));
      if (StepMustStop(AddServerVariable("IDataIndexCreationCommand_0",
                                         command.c_str(), 0, 1, 0))) {
        DBFreeResult(result);
        return 0;
      }
    }
    DBFreeResult(result);
    CHECK_STEP(ExecQuery(
        "DELETE FROM config WHERE var_name='IDataIndexCreationCommand'"));
  }
  CHECK_STEP(AddServerVariable("IDataIndexCreationCommand_1",
                               IDATA_TIMESTAMP_INDEX, 0, 1, 0));
  CHECK_STEP(SetSchemaVersion(26));
  return 1;
}

int Migrate26To27() {
  CHECK_STEP(AddTable(kObjectPropertiesDdl));
  CHECK_STEP(AddTable(kUserProfilesDdl));
  // A rerun past the copy finds the properties written and the per-class
  // columns perhaps gone.
  if (!StepReplaying() && !MoveObjectProperties()) return 0;
  CHECK_STEP(RunScript(kScript26To27));
  CHECK_STEP(SetSchemaVersion(27));
  return 1;
}
