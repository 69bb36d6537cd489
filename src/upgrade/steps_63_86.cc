// Upgrade steps 63 to 86. Most steps are data: a script, the tables to
// create and the server variables to add, run in that order and followed by
// the version statement. The steps that read rows or depend on the
// database are written out below their tables.

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <string>

#include "db/readers.h"
#include "upgrade/schema_ops.h"
#include "upgrade/step_operations.h"
#include "upgrade/steps.h"
#include "upgrade/table_rebuild.h"

namespace {

// Writes the new version of a step written as code.
int FinishStep(int new_version) {
  CHECK_STEP(SetSchemaVersion(new_version));
  return 1;
}

// ---- 63 to 64: new object-identifier to node-type pairs.

const char kScript63[] =
    "INSERT INTO oid_to_type (pair_id,snmp_oid,node_type,node_flags) VALUES "
    "(15,'.1.3.6.1.4.1.45.3.29.*',3,0)\n"
    "INSERT INTO oid_to_type (pair_id,snmp_oid,node_type,node_flags) VALUES "
    "(16,'.1.3.6.1.4.1.45.3.41.*',3,0)\n"
    "INSERT INTO oid_to_type (pair_id,snmp_oid,node_type,node_flags) VALUES "
    "(17,'.1.3.6.1.4.1.45.3.45.*',3,0)\n"
    "INSERT INTO oid_to_type (pair_id,snmp_oid,node_type,node_flags) VALUES "
    "(18,'.1.3.6.1.4.1.45.3.43.*',3,0)\n"
    "INSERT INTO oid_to_type (pair_id,snmp_oid,node_type,node_flags) VALUES "
    "(19,'.1.3.6.1.4.1.45.3.57.*',3,0)\n"
    "INSERT INTO oid_to_type (pair_id,snmp_oid,node_type,node_flags) VALUES "
    "(20,'.1.3.6.1.4.1.45.3.49.*',3,0)\n"
    "INSERT INTO oid_to_type (pair_id,snmp_oid,node_type,node_flags) VALUES "
    "(21,'.1.3.6.1.4.1.45.3.54.*',3,0)\n"
    "INSERT INTO oid_to_type (pair_id,snmp_oid,node_type,node_flags) VALUES "
    "(22,'.1.3.6.1.4.1.45.3.63.*',3,0)\n"
    "INSERT INTO oid_to_type (pair_id,snmp_oid,node_type,node_flags) VALUES "
    "(23,'.1.3.6.1.4.1.45.3.64.*',3,0)\n"
    "INSERT INTO oid_to_type (pair_id,snmp_oid,node_type,node_flags) VALUES "
    "(24,'.1.3.6.1.4.1.45.3.53.*',3,0)\n"
    "INSERT INTO oid_to_type (pair_id,snmp_oid,node_type,node_flags) VALUES "
    "(25,'.1.3.6.1.4.1.45.3.59.*',3,0)\n"
    "INSERT INTO oid_to_type (pair_id,snmp_oid,node_type,node_flags) VALUES "
    "(26,'.1.3.6.1.4.1.45.3.39.*',3,0)\n"
    "INSERT INTO oid_to_type (pair_id,snmp_oid,node_type,node_flags) VALUES "
    "(27,'.1.3.6.1.4.1.45.3.65.*',3,0)\n"
    "INSERT INTO oid_to_type (pair_id,snmp_oid,node_type,node_flags) VALUES "
    "(28,'.1.3.6.1.4.1.45.3.66.*',3,0)\n"
    "INSERT INTO oid_to_type (pair_id,snmp_oid,node_type,node_flags) VALUES "
    "(29,'.1.3.6.1.4.1.45.3.44.*',4,0)\n"
    "INSERT INTO oid_to_type (pair_id,snmp_oid,node_type,node_flags) VALUES "
    "(30,'.1.3.6.1.4.1.45.3.47.*',4,0)\n"
    "INSERT INTO oid_to_type (pair_id,snmp_oid,node_type,node_flags) VALUES "
    "(31,'.1.3.6.1.4.1.45.3.48.*',4,0)\n"
    "<END>";
const StepOperation kStep63To64[] = {
    Script(kScript63),
};

// ---- 64 to 65: nodes.community widened to varchar(127), by database.

// statement runs guarded; with fallback_script set it is a silent attempt
// and the script runs (guarded) when it fails; message is printed.
struct CommunityWidening {
  const char* statement;
  const char* fallback_script;
  const char* message;
};
const CommunityWidening kCommunityWidening[SYNTAX_COUNT] = {
    // MySQL
    {"ALTER TABLE nodes MODIFY community varchar(127)", nullptr, nullptr},
    // PostgreSQL
    {"ALTER TABLE nodes ALTER COLUMN community TYPE varchar(127)",
     "ALTER TABLE nodes ADD new_community varchar(127)\n"
     "UPDATE nodes SET new_community=community\n"
     "ALTER TABLE nodes DROP COLUMN community\n"
     "ALTER TABLE nodes RENAME COLUMN new_community TO community\n"
     "ALTER TABLE nodes ALTER COLUMN community SET NOT NULL\n"
     "<END>",
     nullptr},
    // Microsoft SQL Server
    {"ALTER TABLE nodes ALTER COLUMN community varchar(127)", nullptr, nullptr},
    // Oracle
    {"ALTER TABLE nodes MODIFY community varchar(127)", nullptr, nullptr},
    // SQLite does not enforce the length of a varchar: nothing to change.
    {nullptr, nullptr,
     "WARNING: Due to limitations of SQLite requested operation cannot be "
     "completed\nYou system will still be limited to use SNMP commonity "
     "strings not longer than 32 characters.\n"},
};

// ---- 65 to 76: columns, tables, variables and events.

const char kScript65[] =
    "ALTER TABLE submap_links ADD port1 varchar(255)\n"
    "ALTER TABLE submap_links ADD port2 varchar(255)\n"
    "UPDATE submap_links SET port1='#00',port2='#00'\n"
    "<END>";
const StepOperation kStep65To66[] = {
    Script(kScript65),
};

const char kScript66[] =
    "ALTER TABLE subnets ADD synthetic_mask integer\n"
    "UPDATE subnets SET synthetic_mask=0\n"
    "ALTER TABLE interfaces ADD synthetic_mask integer\n"
    "UPDATE interfaces SET synthetic_mask=0\n"
    "<END>";
const StepOperation kStep66To67[] = {
    Script(kScript66),
};

const char kScript67[] =
    "ALTER TABLE thresholds ADD repeat_interval integer\n"
    "UPDATE thresholds SET repeat_interval=-1\n"
    "<END>";
const StepOperation kStep67To68[] = {
    Script(kScript67),
    Variable("ThresholdRepeatInterval", "0", 1, 1),
};

const StepOperation kStep68To69[] = {
    Table("CREATE TABLE audit_log (record_id integer not null,timestamp "
          "integer not null,subsystem varchar(32) not null,success integer "
          "not null,user_id integer not null,workstation varchar(63) not "
          "null,object_id integer not null,message $SQL:TEXT not "
          "null,PRIMARY KEY(record_id))"),
    Variable("EnableAuditLog", "1", 1, 1),
    Variable("AuditLogRetentionTime", "90", 1, 0),
};

const char kScript69[] =
    "ALTER TABLE snmp_trap_cfg ADD user_tag varchar(63)\n"
    "UPDATE snmp_trap_cfg SET user_tag='#00'\n"
    "ALTER TABLE event_log ADD user_tag varchar(63)\n"
    "UPDATE event_log SET user_tag='#00'\n"
    "<END>";
// Retention times kept in seconds until now, from now on in days.
const char* const kRetentionVariables69[] = {"EventLogRetentionTime",
                                             "SyslogRetentionTime"};

const char kScript70[] =
    "ALTER TABLE nodes ADD required_polls integer\n"
    "UPDATE nodes SET required_polls=0\n"
    "ALTER TABLE interfaces ADD required_polls integer\n"
    "UPDATE interfaces SET required_polls=0\n"
    "ALTER TABLE network_services ADD required_polls integer\n"
    "UPDATE network_services SET required_polls=0\n"
    "<END>";
const StepOperation kStep70To71[] = {
    Script(kScript70),
    Variable("PollCountForStatusChange", "1", 1, 1),
};

const char kScript71[] =
    "ALTER TABLE items ADD proxy_node integer\n"
    "UPDATE items SET proxy_node=0\n"
    "<END>";
const StepOperation kStep71To72[] = {
    Script(kScript71),
};

const char kScript72[] =
    "ALTER TABLE event_policy ADD situation_id integer\n"
    "ALTER TABLE event_policy ADD situation_instance varchar(255)\n"
    "UPDATE event_policy SET situation_id=0,situation_instance='#00'\n"
    "<END>";
const StepOperation kStep72To73[] = {
    Script(kScript72),
    Table("CREATE TABLE policy_situation_attr_list (rule_id integer not "
          "null,situation_id integer not null,attr_name varchar(255) not "
          "null,attr_value varchar(255) not null,PRIMARY "
          "KEY(rule_id,situation_id,attr_name))"),
    Table("CREATE TABLE situations (id integer not null,name varchar(127) "
          "not null,comments $SQL:TEXT not null,PRIMARY KEY(id))"),
    Variable("RetainCustomInterfaceNames", "0", 1, 0),
    Variable("AllowDirectSMS", "0", 1, 0),
    Variable("EventStormThreshold", "0", 1, 1),
};

const char kScript73[] =
    "INSERT INTO event_cfg (event_code,event_name,severity,flags,message,"
    "description) VALUES (48,'SYS_EVENT_STORM_DETECTED',3,1,'Event storm "
    "detected (Events per second: %1)','Generated when system detects an "
    "event storm.#0D#0AParameters:#0D#0A   1) Events per second#0D#0A   2) "
    "Duration#0D#0A   3) Threshold')\n"
    "INSERT INTO event_cfg (event_code,event_name,severity,flags,message,"
    "description) VALUES (49,'SYS_EVENT_STORM_ENDED',0,1,'Event storm "
    "ended','Generated when system clears event storm "
    "condition.#0D#0AParameters:#0D#0A   1) Events per second#0D#0A   2) "
    "Duration#0D#0A   3) Threshold')\n"
    "DELETE FROM config WHERE var_name='NumberOfEventProcessors'\n"
    "DELETE FROM config WHERE var_name='EventStormThreshold'\n"
    "<END>";
const StepOperation kStep73To74[] = {
    Script(kScript73),
    Variable("EnableEventStormDetection", "0", 1, 1),
    Variable("EventStormEventsPerSecond", "100", 1, 1),
    Variable("EventStormDuration", "15", 1, 1),
};

const char kScript74[] =
    "ALTER TABLE address_lists ADD community_id integer\n"
    "UPDATE address_lists SET community_id=0\n"
    "<END>";
const StepOperation kStep74To75[] = {
    Script(kScript74),
    Table("CREATE TABLE snmp_communities (id integer not null,community "
          "varchar(255) not null,PRIMARY KEY(id))"),
    Variable("UseInterfaceAliases", "0", 1, 0),
    Variable("SyncNodeNamesWithDNS", "0", 1, 0),
};

const char kScript75[] =
    "INSERT INTO event_cfg (event_code,event_name,severity,flags,message,"
    "description) VALUES (50,'SYS_NETWORK_CONN_LOST',4,1,'Orvane server "
    "network connectivity lost','Generated when system detects loss of "
    "network connectivity based on beacon probing.#0D#0AParameters:#0D#0A   "
    "1) Number of beacons')\n"
    "INSERT INTO event_cfg (event_code,event_name,severity,flags,message,"
    "description) VALUES (51,'SYS_NETWORK_CONN_RESTORED',0,1,'Orvane server "
    "network connectivity restored','Generated when system detects "
    "restoration of network connectivity based on beacon "
    "probing.#0D#0AParameters:#0D#0A   1) Number of beacons')\n"
    "<END>";
const StepOperation kStep75To76[] = {
    Script(kScript75),
    Variable("AgentCommandTimeout", "2000", 1, 1),
    Variable("BeaconHosts", "", 1, 1),
    Variable("BeaconTimeout", "1000", 1, 1),
    Variable("BeaconPollingInterval", "1000", 1, 1),
};

// ---- 76 to 86.

const char kCondDciMapDdl[] =
    "CREATE TABLE cond_dci_map (condition_id integer not null,sequence_number "
    "integer not null,dci_id integer not null,node_id integer not "
    "null,dci_func integer not null,num_polls integer not null,PRIMARY "
    "KEY(condition_id,sequence_number))";

const StepOperation kStep77To78[] = {
    Table("CREATE TABLE trusted_nodes (source_object_id integer not "
          "null,target_node_id integer not null,PRIMARY "
          "KEY(source_object_id,target_node_id))"),
    Variable("CheckTrustedNodes", "1", 1, 1),
};

const char kScript78[] =
    "DELETE FROM config WHERE var_name='RetainCustomInterfaceNames'\n"
    "DROP TABLE modules\n"
    "<END>";

// The long-text columns MySQL gets as "text not null".
const struct {
  const char* table;
  const char* column;
} kLongTextColumns78[] = {
    {"users", "cert_mapping_data"},
    {"user_profiles", "var_value"},
    {"object_properties", "comments"},
    {"network_services", "check_request"},
    {"network_services", "check_responce"},
    {"conditions", "script"},
    {"container_categories", "description"},
    {"items", "transformation"},
    {"event_cfg", "description"},
    {"actions", "action_data"},
    {"event_policy", "comments"},
    {"event_policy", "script"},
    {"alarm_change_log", "info_text"},
    {"alarm_notes", "note_text"},
    {"object_tools", "tool_data"},
    {"syslog", "msg_text"},
    {"script_library", "script_code"},
    {"snmp_trap_log", "trap_varlist"},
    {"maps", "description"},
    {"agent_configs", "config_file"},
    {"agent_configs", "config_filter"},
    {"graphs", "config"},
    {"certificates", "cert_data"},
    {"certificates", "subject"},
    {"certificates", "comments"},
    {"audit_log", "message"},
    {"situations", "comments"},
};

const char kScript79[] =
    "ALTER TABLE nodes ADD uname varchar(255)\n"
    "UPDATE nodes SET uname='#00'\n"
    "<END>";
const StepOperation kStep79To80[] = {
    Script(kScript79),
};

const char kDciSchedulesDdl[] =
    "CREATE TABLE dci_schedules (schedule_id integer not null,item_id "
    "integer not null,schedule varchar(255) not null,PRIMARY "
    "KEY(item_id,schedule_id))";
const char kAddressListsDdl[] =
    "CREATE TABLE address_lists (list_type integer not null,community_id "
    "integer not null,addr_type integer not null,addr1 varchar(15) not "
    "null,addr2 varchar(15) not null,PRIMARY "
    "KEY(list_type,community_id,addr_type,addr1,addr2))";
const StepOperation kStep80To81[] = {
    Table("CREATE TABLE object_custom_attributes (object_id integer not "
          "null,attr_name varchar(127) not null,attr_value $SQL:TEXT not "
          "null,PRIMARY KEY(object_id,attr_name))"),
    Table("CREATE TABLE web_maps (id integer not null,title varchar(63) not "
          "null,properties $SQL:TEXT not null,data $SQL:TEXT not "
          "null,PRIMARY KEY(id))"),
};

const StepOperation kStep81To82[] = {
    Table("CREATE TABLE config_clob (var_name varchar(63) not null,var_value "
          "$SQL:TEXT not null,PRIMARY KEY(var_name))"),
};

const StepOperation kStep83To84[] = {
    Variable("EnableAgentRegistration", "1", 1, 0),
    Variable("AnonymousFileAccess", "0", 1, 0),
    Variable("EnableISCListener", "0", 1, 1),
    Variable("ReceiveForwardedEvents", "0", 1, 0),
};

const char kScript84[] =
    "ALTER TABLE nodes ADD use_ifxtable integer\n"
    "UPDATE nodes SET use_ifxtable=0\n"
    "<END>";
const StepOperation kStep84To85[] = {
    Script(kScript84),
    Variable("UseIfXTable", "1", 1, 0),
    Variable("SMTPRetryCount", "1", 1, 0),
};

const char kScript85[] =
    "DROP TABLE alarm_grops\n"
    "DROP TABLE alarm_group_map\n"
    "DROP TABLE alarm_change_log\n"
    "DROP TABLE lpp\n"
    "DROP TABLE lpp_associations\n"
    "DROP TABLE lpp_rulesets\n"
    "DROP TABLE lpp_rules\n"
    "DROP TABLE lpp_groups\n"
    "<END>";
const StepOperation kStep85To86[] = {
    Script(kScript85),
};

// Writes dci_schedules back with a schedule number over all its rows.
bool WriteDciSchedules(db_result_t rows, const char* target) {
  int count = DBGetNumRows(rows);
  for (int i = 0; i < count; i++) {
    // The schedule goes back as it was stored, quoted for the database.
    String schedule =
        DBPrepareString(g_hDbConnection, DBGetFieldString(rows, i, 1).c_str());
    String insert;
    insert.addFormattedString(
        "INSERT INTO %s (item_id,schedule_id,schedule) VALUES(%d,%d,%s)",
        target, static_cast<int>(DBGetFieldULong(rows, i, 0)), i + 1,
        schedule.str().c_str());
    if (StepMustStop(ExecQuery(insert.str().c_str()))) return false;
  }
  return true;
}

const TableRebuild kDciSchedulesRebuild = {
    "dci_schedules", "SELECT item_id,schedule FROM dci_schedules",
    kDciSchedulesDdl, true, nullptr, WriteDciSchedules,
};

// Writes address_lists back with the community in its key. The new key
// takes in every column, so rows that are equal in all of them are read
// once; the index that reindex maintains is created again with the table.
bool WriteAddressLists(db_result_t rows, const char* target) {
  int count = DBGetNumRows(rows);
  for (int i = 0; i < count; i++) {
    String addr1 =
        DBPrepareString(g_hDbConnection, DBGetFieldString(rows, i, 3).c_str());
    String addr2 =
        DBPrepareString(g_hDbConnection, DBGetFieldString(rows, i, 4).c_str());
    String insert;
    insert.addFormattedString(
        "INSERT INTO %s (list_type,community_id,addr_type,addr1,addr2) "
        "VALUES(%d,%d,%d,%s,%s)",
        target, static_cast<int>(DBGetFieldULong(rows, i, 0)),
        static_cast<int>(DBGetFieldULong(rows, i, 1)),
        static_cast<int>(DBGetFieldULong(rows, i, 2)), addr1.str().c_str(),
        addr2.str().c_str());
    if (StepMustStop(ExecQuery(insert.str().c_str()))) return false;
  }
  return true;
}

const TableRebuild kAddressListsRebuild = {
    "address_lists",
    "SELECT DISTINCT list_type,community_id,addr_type,addr1,addr2 FROM "
    "address_lists",
    kAddressListsDdl,
    true,
    "CREATE INDEX idx_address_lists_list_type ON address_lists(list_type)",
    WriteAddressLists,
};

// Writes cond_dci_map back with a sequence number per condition, in the
// order of the rows read.
bool WriteCondDciMap(db_result_t rows, const char* target) {
  uint32_t previous = 0;
  int sequence = 0;
  int count = DBGetNumRows(rows);
  for (int i = 0; i < count; i++) {
    uint32_t condition = DBGetFieldULong(rows, i, 0);
    if (condition != previous) {
      sequence = 0;
      previous = condition;
    }
    char insert[1024];
    snprintf(insert, sizeof(insert),
             "INSERT INTO %s (condition_id,sequence_number,dci_id,node_id,"
             "dci_func,num_polls) VALUES (%d,%d,%d,%d,%d,%d)",
             target, static_cast<int>(condition), sequence,
             static_cast<int>(DBGetFieldULong(rows, i, 1)),
             static_cast<int>(DBGetFieldULong(rows, i, 2)),
             static_cast<int>(DBGetFieldULong(rows, i, 3)),
             static_cast<int>(DBGetFieldULong(rows, i, 4)));
    if (StepMustStop(ExecQuery(insert))) return false;
    sequence++;
  }
  return true;
}

const TableRebuild kCondDciMapRebuild = {
    "cond_dci_map",
    "SELECT condition_id,dci_id,node_id,dci_func,num_polls FROM "
    "cond_dci_map ORDER BY condition_id",
    kCondDciMapDdl,
    true,
    nullptr,
    WriteCondDciMap,
};

// Rebuilds one table of step 80 to 81. Rows that could not be read are
// passed over under -X with the table as it was.
int RebuildOf80To81(const TableRebuild& rebuild) {
  RebuildOutcome outcome = RebuildTable(rebuild);
  if (outcome == kRowsUnread) return g_bContinueOnError ? 1 : 0;
  return outcome == kRebuilt ? 1 : 0;
}

}  // namespace

int Migrate63To64() { return RunStep(kStep63To64, 64); }

int Migrate64To65() {
  if (g_nDbSyntax < 0 || g_nDbSyntax >= SYNTAX_COUNT) {
    printf("INTERNAL ERROR: Unknown database syntax %d\n", g_nDbSyntax);
    return FinishStep(65);
  }
  const CommunityWidening& change = kCommunityWidening[g_nDbSyntax];
  if (change.statement != nullptr && change.fallback_script != nullptr) {
    if (g_bShowQueries) EchoQuery(change.statement);
    if (!DBQuery(g_hDbConnection, change.statement)) {
      CHECK_STEP(RunScript(change.fallback_script));
    }
  } else if (change.statement != nullptr) {
    CHECK_STEP(ExecDdl(change.statement));
  }
  if (change.message != nullptr) printf("%s", change.message);
  return FinishStep(65);
}

int Migrate65To66() { return RunStep(kStep65To66, 66); }
int Migrate66To67() { return RunStep(kStep66To67, 67); }
int Migrate67To68() { return RunStep(kStep67To68, 68); }
int Migrate68To69() { return RunStep(kStep68To69, 69); }

int Migrate69To70() {
  CHECK_STEP(RunScript(kScript69));
  for (const char* name : kRetentionVariables69) {
    int days = ReadServerVariableInt(name, 5184000) / 86400;
    if (days <= 1) days = 1;
    char value[32];
    snprintf(value, sizeof(value), "%d", days);
    CHECK_STEP(AddServerVariable(name, value, 1, 0, 1));
  }
  return FinishStep(70);
}

int Migrate70To71() { return RunStep(kStep70To71, 71); }
int Migrate71To72() { return RunStep(kStep71To72, 72); }
int Migrate72To73() { return RunStep(kStep72To73, 73); }
int Migrate73To74() { return RunStep(kStep73To74, 74); }
int Migrate74To75() { return RunStep(kStep74To75, 75); }
int Migrate75To76() { return RunStep(kStep75To76, 76); }

int Migrate76To77() {
  RebuildOutcome outcome = RebuildTable(kCondDciMapRebuild);
  // Rows that could not be read are not dropped: the table stays as it is.
  if (outcome == kRowsUnread && !g_bContinueOnError) return 0;
  if (outcome == kRebuildStopped) return 0;
  return FinishStep(77);
}

int Migrate77To78() { return RunStep(kStep77To78, 78); }

int Migrate78To79() {
  CHECK_STEP(RunScript(kScript78));
  if (g_nDbSyntax == SYNTAX_MYSQL) {
    // The columns were added nullable: a NULL would refuse "not null", so it
    // becomes the empty value first.
    std::string script;
    for (const auto& c : kLongTextColumns78) {
      script += std::string("UPDATE ") + c.table + " SET " + c.column +
                "='#00' WHERE " + c.column + " IS NULL\n";
      script += std::string("ALTER TABLE ") + c.table + " MODIFY COLUMN " +
                c.column + " text not null\n";
    }
    script += "<END>";
    CHECK_STEP(RunScript(script.c_str()));
  }
  return FinishStep(79);
}

int Migrate79To80() { return RunStep(kStep79To80, 80); }

int Migrate80To81() {
  if (!RebuildOf80To81(kDciSchedulesRebuild)) return 0;
  if (!RebuildOf80To81(kAddressListsRebuild)) return 0;
  return RunStep(kStep80To81, 81);
}

int Migrate81To82() { return RunStep(kStep81To82, 82); }

int Migrate82To83() {
  CHECK_STEP(ExecQuery("UPDATE alarms SET timeout=0,timeout_event=43"));
  return FinishStep(83);
}

int Migrate83To84() { return RunStep(kStep83To84, 84); }
int Migrate84To85() { return RunStep(kStep84To85, 85); }
int Migrate85To86() { return RunStep(kStep85To86, 86); }
