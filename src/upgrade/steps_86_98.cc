// Upgrade steps 86 to 98. Each step is a list of schema operations run in
// order and closed by the version statement; from version 87 on the version
// lives in table metadata, which step 86 to 87 creates.

#include "db/exec.h"
#include "upgrade/schema_ops.h"
#include "upgrade/step_operations.h"
#include "upgrade/steps.h"

namespace {

// The version statement of step 86 to 87 updates the row that the first
// move has just brought over with the old version in it.
const StepOperation k86To87[] = {
    Table("CREATE TABLE metadata (var_name varchar(63) not null,"
          "var_value varchar(255) not null,PRIMARY KEY(var_name))"),
    Move("DBFormatVersion", "SchemaVersion"),
    Move("DBSyntax", "Syntax"),
    Move("IDataTableCreationCommand", "IDataTableCreationCommand"),
    Move("IDataIndexCreationCommand_0", "IDataIndexCreationCommand_0"),
    Move("IDataIndexCreationCommand_1", "IDataIndexCreationCommand_1"),
    Move("IDataIndexCreationCommand_2", "IDataIndexCreationCommand_2"),
    Move("IDataIndexCreationCommand_3", "IDataIndexCreationCommand_3"),
};

const StepOperation k87To88[] = {
    Script("ALTER TABLE templates ADD enable_auto_apply integer\n"
           "ALTER TABLE templates ADD apply_filter $SQL:TEXT\n"
           "UPDATE templates SET enable_auto_apply=0,apply_filter='#00'\n"
           "<END>"),
};

const StepOperation k88To89[] = {
    Script("ALTER TABLE containers ADD enable_auto_bind integer\n"
           "ALTER TABLE containers ADD auto_bind_filter $SQL:TEXT\n"
           "UPDATE containers SET enable_auto_bind=0,auto_bind_filter='#00'\n"
           "ALTER TABLE cluster_resources ADD current_owner integer\n"
           "UPDATE cluster_resources SET current_owner=0\n"
           "INSERT INTO event_cfg (event_code,event_name,severity,flags,"
           "message,description) VALUES (52,'SYS_DB_QUERY_FAILED',4,1,"
           "'Database query failed (Query: %1; Error: %2)',"
           "'Generated when SQL query to backend database failed.#0D#0A"
           "Parameters:#0D#0A   1) Query#0D#0A   2) Error message')\n"
           "<END>"),
};

const StepOperation k89To90[] = {
    Script("ALTER TABLE items ADD base_units integer\n"
           "ALTER TABLE items ADD unit_multiplier integer\n"
           "ALTER TABLE items ADD custom_units_name varchar(63)\n"
           "ALTER TABLE items ADD perftab_settings $SQL:TEXT\n"
           "UPDATE items SET base_units=0,unit_multiplier=1,"
           "custom_units_name='#00',perftab_settings='#00'\n"
           "<END>"),
};

const StepOperation k90To91[] = {
    Table("CREATE TABLE userdb_custom_attributes (object_id integer not null,"
          "attr_name varchar(255) not null,attr_value $SQL:TEXT not null,"
          "PRIMARY KEY(object_id,attr_name))"),
};

const StepOperation k91To92[] = {
    Script("DROP TABLE images\n"
           "DROP TABLE default_images\n"
           "<END>"),
};

const StepOperation k92To93[] = {
    Script("ALTER TABLE nodes ADD usm_auth_password varchar(127)\n"
           "ALTER TABLE nodes ADD usm_priv_password varchar(127)\n"
           "ALTER TABLE nodes ADD usm_methods integer\n"
           "UPDATE nodes SET usm_auth_password='#00',usm_priv_password='#00',"
           "usm_methods=0\n"
           "<END>"),
};

const StepOperation k93To94[] = {
    Convert("alarms", "alarm_id", "message"),
    Convert("alarms", "alarm_id", "alarm_key"),
    Convert("alarms", "alarm_id", "hd_ref"),
};

// Object tool 20 shows the LLDP remote-systems table.
const StepOperation k94To95[] = {
    Script("INSERT INTO object_tools (tool_id,tool_name,tool_type,tool_data,"
           "flags,matching_oid,description,confirmation_text) VALUES (20,"
           "'&Info->Topology table (LLDP)',2,'Topology Table',1,' ',"
           "'Show topology table (LLDP)','#00')\n"
           "INSERT INTO object_tools_table_columns (tool_id,col_number,"
           "col_name,col_oid,col_format,col_substr) VALUES "
           "(20,0,'Chassis ID','.1.0.8802.1.1.2.1.4.1.1.5',0,0)\n"
           "INSERT INTO object_tools_table_columns (tool_id,col_number,"
           "col_name,col_oid,col_format,col_substr) VALUES "
           "(20,1,'Local port','.1.0.8802.1.1.2.1.4.1.1.2',5,0)\n"
           "INSERT INTO object_tools_table_columns (tool_id,col_number,"
           "col_name,col_oid,col_format,col_substr) VALUES "
           "(20,2,'System name','.1.0.8802.1.1.2.1.4.1.1.9',0,0)\n"
           "INSERT INTO object_tools_table_columns (tool_id,col_number,"
           "col_name,col_oid,col_format,col_substr) VALUES "
           "(20,3,'System description','.1.0.8802.1.1.2.1.4.1.1.10',0,0)\n"
           "INSERT INTO object_tools_table_columns (tool_id,col_number,"
           "col_name,col_oid,col_format,col_substr) VALUES "
           "(20,4,'Remote port ID','.1.0.8802.1.1.2.1.4.1.1.7',4,0)\n"
           "INSERT INTO object_tools_table_columns (tool_id,col_number,"
           "col_name,col_oid,col_format,col_substr) VALUES "
           "(20,5,'Remote port description','.1.0.8802.1.1.2.1.4.1.1.8',0,0)\n"
           "INSERT INTO object_tools_acl (tool_id,user_id) VALUES "
           "(20,-2147483648)\n"
           "<END>"),
};

const StepOperation k95To96[] = {
    Script("ALTER TABLE object_properties ADD location_type integer\n"
           "ALTER TABLE object_properties ADD latitude varchar(20)\n"
           "ALTER TABLE object_properties ADD longitude varchar(20)\n"
           "UPDATE object_properties SET location_type=0\n"
           "ALTER TABLE object_properties DROP COLUMN image_id\n"
           "<END>"),
    Variable("ConnectionPoolBaseSize", "5", 1, 1),
    Variable("ConnectionPoolMaxSize", "20", 1, 1),
    Variable("ConnectionPoolCooldownTime", "300", 1, 1),
    Convert("object_properties", "object_id", "comments"),
};

const StepOperation k96To97[] = {
    Table("CREATE TABLE usm_credentials (id integer not null,"
          "user_name varchar(255) not null,auth_method integer not null,"
          "priv_method integer not null,auth_password varchar(255),"
          "priv_password varchar(255),PRIMARY KEY(id))"),
};

const StepOperation k97To98[] = {
    Convert("event_log", "event_id", "event_message"),
    Convert("event_log", "event_id", "user_tag"),
    Query("DELETE FROM audit_log"),
    Convert("syslog", "msg_id", "msg_text"),
    Convert("snmp_trap_log", "trap_id", "trap_varlist"),
};

}  // namespace

int Migrate86To87() { return RunStep(k86To87, 87); }
int Migrate87To88() { return RunStep(k87To88, 88); }
int Migrate88To89() { return RunStep(k88To89, 89); }
int Migrate89To90() { return RunStep(k89To90, 90); }
int Migrate90To91() { return RunStep(k90To91, 91); }
int Migrate91To92() { return RunStep(k91To92, 92); }
int Migrate92To93() { return RunStep(k92To93, 93); }
int Migrate93To94() { return RunStep(k93To94, 94); }
int Migrate94To95() { return RunStep(k94To95, 95); }
int Migrate95To96() { return RunStep(k95To96, 96); }
int Migrate96To97() { return RunStep(k96To97, 97); }
int Migrate97To98() { return RunStep(k97To98, 98); }
