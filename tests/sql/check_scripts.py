#!/usr/bin/env python3
"""Tests of the database scripts in lib/sql that need neither the tool nor a
database server: the generator is up to date, the SQLite scripts load and
hold what the tool relies on, the demo plants the documented faults, and the
three dialects describe the same database.

Usage: tests/sql/check_scripts.py [repository root]
The last line printed is "N passed, M failed"; the exit status is 1 when
anything failed.
"""

import ipaddress
import os
import re
import sqlite3
import subprocess
import sys
import traceback

ROOT = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else
                       os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
SQL = os.path.join(ROOT, "lib", "sql")
DIALECTS = ("mysql", "pgsql", "sqlite")

# The tables that clearing, export and import walk, in their order.
CORE_TABLES = """
config config_clob users user_groups user_group_members user_profiles
object_properties object_custom_attributes zones zone_ip_addr_list
nodes clusters cluster_members cluster_sync_subnets cluster_resources subnets
interfaces network_services vpn_connectors vpn_connector_networks
containers conditions cond_dci_map templates dct_node_map nsmap
container_members container_categories acl trusted_nodes
items thresholds dci_schedules raw_dci_values event_cfg event_log actions
event_groups event_group_members time_ranges
event_policy policy_source_list policy_event_list policy_action_list
policy_situation_attr_list policy_time_range_list deleted_objects alarms
alarm_notes oid_to_type
snmp_trap_cfg snmp_trap_pmap agent_pkg object_tools object_tools_acl
object_tools_table_columns syslog script_library snmp_trap_log maps
map_access_lists submaps submap_object_positions submap_links agent_configs
address_lists graphs graph_acl certificates audit_log
situations snmp_communities web_maps userdb_custom_attributes
""".split()

# The indexes that reindex drops and re-creates: name, table, column.
REINDEX = [
    ("idx_raw_dci_values_item_id", "raw_dci_values", "item_id"),
    ("idx_event_log_event_timestamp", "event_log", "event_timestamp"),
    ("idx_thresholds_item_id", "thresholds", "item_id"),
    ("idx_thresholds_sequence", "thresholds", "sequence_number"),
    ("idx_alarm_notes_alarm_id", "alarm_notes", "alarm_id"),
    ("idx_syslog_msg_timestamp", "syslog", "msg_timestamp"),
    ("idx_snmp_trap_log_trap_timestamp", "snmp_trap_log", "trap_timestamp"),
    ("idx_address_lists_list_type", "address_lists", "list_type"),
]

# Statements the tool itself sends to a version-98 database (check stages,
# unlock, init, upgrade guard, export and import readers), with sample ids.
# Each must be accepted by the schema.
TOOL_STATEMENTS = [
    "SELECT var_value FROM config WHERE var_name='DBLockStatus'",
    "SELECT var_value FROM config WHERE var_name='DBLockInfo'",
    "UPDATE config SET var_value='UNLOCKED' where var_name='DBLockStatus'",
    "SELECT var_value FROM metadata WHERE var_name='SchemaVersion'",
    "SELECT var_value FROM metadata WHERE var_name='IDataTableCreationCommand'",
    "UPDATE users SET guid='0f1e2d3c-4b5a-6978-8796-a5b4c3d2e1f0' WHERE id=0",
    "UPDATE user_groups SET guid='0f1e2d3c-4b5a-6978-8796-a5b4c3d2e1f1' WHERE id=-2147483648",
    "SELECT id,primary_ip FROM nodes",
    "SELECT name,is_deleted FROM object_properties WHERE object_id=7",
    "INSERT INTO object_properties (object_id,name,status,is_deleted,inherit_access_rights,"
    "last_modified,status_calc_alg,status_prop_alg,status_fixed_val,status_shift,status_translation,"
    "status_single_threshold,status_thresholds,comments) VALUES (7,'lost_node_7',5,0,1,0,0,0,0,0,0,0,'00000000','#00')",
    "SELECT subnet_id FROM nsmap WHERE node_id=7",
    "SELECT container_id FROM container_members WHERE object_id=7",
    "SELECT ip_addr,ip_netmask FROM interfaces WHERE node_id=7",
    "SELECT id FROM subnets WHERE ip_addr='10.0.0.0'",
    "INSERT INTO nsmap (subnet_id,node_id) VALUES (8,7)",
    "DELETE FROM nodes WHERE id=7",
    "DELETE FROM acl WHERE object_id=7",
    "DELETE FROM object_properties WHERE object_id=7",
    "SELECT id,node_id FROM interfaces",
    "SELECT id,node_id FROM network_services",
    "SELECT name FROM object_properties WHERE object_id=7 AND is_deleted=0",
    "DELETE FROM interfaces WHERE id=7",
    "DELETE FROM network_services WHERE id=7",
    "SELECT id FROM nodes WHERE id=7",
    "SELECT cluster_id,node_id FROM cluster_members",
    "DELETE FROM cluster_members WHERE cluster_id=7 AND node_id=8",
    "SELECT template_id,node_id FROM dct_node_map ORDER BY template_id",
    "DELETE FROM dct_node_map WHERE template_id=7 AND node_id=8",
    "SELECT object_id,name,last_modified FROM object_properties",
    "UPDATE object_properties SET last_modified=1700000000 WHERE object_id=7",
    "SELECT object_id FROM policy_source_list",
    "SELECT object_id FROM object_properties WHERE object_id=7",
    "DELETE FROM policy_source_list WHERE object_id=7",
    "SELECT event_code FROM policy_event_list",
    "SELECT id FROM event_groups WHERE id=-2147483639",
    "SELECT event_code FROM event_cfg WHERE event_code=17",
    "DELETE FROM policy_event_list WHERE event_code=-2147483639",
    "SELECT action_id FROM policy_action_list",
    "SELECT action_id FROM actions WHERE action_id=7",
    "DELETE FROM policy_action_list WHERE action_id=7",
    "SELECT count(*) FROM raw_dci_values WHERE last_poll_time>1700000000",
    "UPDATE raw_dci_values SET last_poll_time=1700000000 WHERE last_poll_time>1700000000",
]

PASSED = []
FAILED = []


def test(func):
    try:
        func()
    except Exception:
        FAILED.append(func.__name__)
        print("FAIL %s" % func.__name__)
        traceback.print_exc(limit=1, file=sys.stdout)
    else:
        PASSED.append(func.__name__)
        print("ok   %s" % func.__name__)
    return func


# ----------------------------------------------------------------- helpers

def read(name):
    with open(os.path.join(SQL, name), encoding="utf-8") as handle:
        return handle.read()


def split_statements(text):
    """Cut a script the way the tool's batch runner does: at semicolons
    outside single quotes; whitespace-only pieces are skipped."""
    out = []
    start = 0
    quoted = False
    for pos, ch in enumerate(text):
        if ch == "'":
            quoted = not quoted
        elif ch == ";" and not quoted:
            out.append(text[start:pos])
            start = pos + 1
    out.append(text[start:])
    return [s for s in out if s.strip(" \t\r\n")]


def run_batch(db, text):
    for stmt in split_statements(text):
        try:
            db.execute(stmt)
        except sqlite3.Error as err:
            raise AssertionError("%s\n   in: %s" % (err, stmt.strip()[:200]))


def init_db(with_demo=False):
    db = sqlite3.connect(":memory:", isolation_level=None)
    run_batch(db, read("dbinit_sqlite.sql"))
    if with_demo:
        run_batch(db, read("demo_sqlite.sql"))
    return db


def tables_of(db):
    return [r[0] for r in db.execute("SELECT name FROM sqlite_master WHERE type='table'")]


def columns_of(db, table):
    return [r[1] for r in db.execute("PRAGMA table_info(%s)" % table)]


def meta(db, name):
    row = db.execute("SELECT var_value FROM metadata WHERE var_name=?", (name,)).fetchone()
    return row[0] if row else None


def index_commands(db):
    cmds = []
    for k in range(4):
        value = meta(db, "IDataIndexCreationCommand_%d" % k)
        if value is None:
            break
        cmds.append(value)
    return cmds


def node_ids(db):
    return [r[0] for r in db.execute("SELECT id FROM nodes")]


# --------------------------------------------------------- script parsing

_CREATE_TABLE = re.compile(r"^\s*CREATE TABLE (\w+)\s*\((.*)\)([^()]*)$", re.S)
_CREATE_INDEX = re.compile(r"^\s*CREATE INDEX (\w+) ON (\w+)\(([\w,]+)\)\s*$", re.S)
_INSERT = re.compile(r"^\s*INSERT INTO (\w+) \(([\w,]+)\) VALUES \((.*)\)\s*$", re.S)
_VALUE = re.compile(r"\s*('(?:[^']|'')*'|-?\d+)\s*(,|$)")


def split_top(text):
    parts, depth, start = [], 0, 0
    for pos, ch in enumerate(text):
        if ch == "(":
            depth += 1
        elif ch == ")":
            depth -= 1
        elif ch == "," and depth == 0:
            parts.append(text[start:pos].strip())
            start = pos + 1
    parts.append(text[start:].strip())
    return parts


def parse_values(text):
    values, pos = [], 0
    while pos < len(text):
        match = _VALUE.match(text, pos)
        if not match:
            raise AssertionError("cannot read values %r" % text[pos:pos + 40])
        values.append(match.group(1))
        pos = match.end()
    return values


def parse_script(text):
    """Return (tables {name: [(column, type, not null)], pk}, table order,
    indexes [(name, table, columns)], inserts [(table, columns, values)],
    other statements)."""
    tables, order, indexes, inserts, other = {}, [], [], [], []
    for stmt in split_statements(text):
        match = _CREATE_TABLE.match(stmt)
        if match:
            cols, pk = [], None
            for part in split_top(match.group(2)):
                if part.upper().startswith("PRIMARY KEY"):
                    pk = part[part.index("(") + 1:part.rindex(")")].split(",")
                    continue
                words = part.split()
                cols.append((words[0], words[1], "not null" in part))
            tables[match.group(1)] = (cols, pk)
            order.append(match.group(1))
            continue
        match = _CREATE_INDEX.match(stmt)
        if match:
            indexes.append((match.group(1), match.group(2), match.group(3).split(",")))
            continue
        match = _INSERT.match(stmt)
        if match:
            inserts.append((match.group(1), match.group(2).split(","), parse_values(match.group(3))))
            continue
        other.append(stmt.strip())
    return tables, order, indexes, inserts, other


# Column type names of one logical type in the three dialects.
TYPE_FAMILIES = [
    {"mysql": "integer", "pgsql": "integer", "sqlite": "integer"},
    {"mysql": "bigint", "pgsql": "bigint", "sqlite": "bigint"},
    {"mysql": "bigint", "pgsql": "bigint", "sqlite": "number(20)"},
    {"mysql": "text", "pgsql": "varchar", "sqlite": "varchar"},
]


def same_type(types):
    if len(set(types.values())) == 1 and re.match(r"^varchar\(\d+\)$", types["sqlite"]):
        return True
    return types in TYPE_FAMILIES


DIALECT_METADATA = {"Syntax", "IDataTableCreationCommand"} | {
    "IDataIndexCreationCommand_%d" % k for k in range(4)}


def without_dialect_rows(inserts):
    return [i for i in inserts
            if not (i[0] == "metadata" and i[2][0].strip("'") in DIALECT_METADATA)]


# ------------------------------------------------------------------- tests

@test
def test_generated_scripts_are_up_to_date():
    result = subprocess.run([sys.executable, os.path.join(ROOT, "tools", "gen_sql.py"), "--check",
                             "--root", ROOT], stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                            universal_newlines=True)
    assert result.returncode == 0, result.stdout


@test
def test_scripts_hold_only_statements():
    # The batch runner has no comment syntax: a comment would reach the
    # database as part of the next statement.
    for name in ["dbinit_%s.sql" % d for d in DIALECTS] + ["demo_%s.sql" % d for d in DIALECTS]:
        for stmt in split_statements(read(name)):
            first = stmt.strip().split(None, 1)[0].upper()
            assert first in ("CREATE", "INSERT"), "%s: %r" % (name, stmt.strip()[:60])
            assert "--" not in re.sub(r"'(?:[^']|'')*'", "", stmt), "%s: comment in %r" % (name, stmt[:60])
        # MySQL reads a backslash inside a literal as an escape.
        assert "\\" not in read(name), "%s holds a backslash" % name


@test
def test_init_creates_core_tables_and_metadata():
    db = init_db()
    tables = tables_of(db)
    missing = [t for t in CORE_TABLES + ["metadata"] if t not in tables]
    assert not missing, "missing tables: %s" % missing
    assert len(CORE_TABLES) == 74 and len(set(CORE_TABLES)) == 74
    # The core tables are created in the order of the core list.
    created = [t for t in tables if t in CORE_TABLES]
    assert created == CORE_TABLES, "core tables out of order"


@test
def test_init_metadata_rows():
    db = init_db()
    assert meta(db, "SchemaVersion") == "98"
    assert meta(db, "Syntax") == "SQLITE"
    table_cmd = meta(db, "IDataTableCreationCommand")
    assert table_cmd and table_cmd.count("%d") == 1 and "%" not in table_cmd.replace("%d", "")
    cmds = index_commands(db)
    assert cmds, "no IDataIndexCreationCommand_0"
    for cmd in cmds:
        assert cmd.count("%d") == 2 and "%" not in cmd.replace("%d", ""), cmd
    for row in db.execute("SELECT var_name,var_value FROM metadata"):
        assert len(row[0]) <= 63 and len(row[1]) <= 255, row


@test
def test_node_table_commands_create_a_usable_table():
    db = init_db()
    for node in (7, 2147483647):
        db.execute(meta(db, "IDataTableCreationCommand") % node)
        for cmd in index_commands(db):
            db.execute(cmd % (node, node))
        assert {"item_id", "idata_timestamp", "idata_value"} <= set(columns_of(db, "idata_%d" % node))
        db.execute("INSERT INTO idata_%d (item_id,idata_timestamp,idata_value) VALUES ('1','2','x')" % node)
        db.execute("SELECT count(*) FROM idata_%d WHERE idata_timestamp>1" % node)
        db.execute("DELETE FROM idata_%d WHERE idata_timestamp>1" % node)


@test
def test_reindex_indexes_exist_and_can_be_rebuilt():
    db = init_db()
    for name, table, column in REINDEX:
        found = db.execute("SELECT tbl_name FROM sqlite_master WHERE type='index' AND name=?",
                           (name,)).fetchone()
        assert found and found[0] == table, "index %s missing or on the wrong table" % name
        cols = [r[2] for r in db.execute("PRAGMA index_info(%s)" % name)]
        assert cols == [column], "%s indexes %s" % (name, cols)
        db.execute("DROP INDEX %s" % name)
        db.execute("CREATE INDEX %s ON %s(%s)" % (name, table, column))


@test
def test_init_lock_and_server_variables():
    db = init_db()
    config = {r[0]: r[1:] for r in db.execute(
        "SELECT var_name,var_value,is_visible,need_server_restart FROM config")}
    assert config["DBLockStatus"][0] == "UNLOCKED"
    assert "DBLockInfo" in config
    for name, (value, visible, restart) in config.items():
        assert re.match(r"^(?:[^#]|#[0-9A-F]{2})+$", value), "%s not hash-escaped: %r" % (name, value)
        assert visible in (0, 1) and restart in (0, 1), name
    # Variables that later steps remove again, or that moved to metadata.
    for gone in ("DBFormatVersion", "DBSyntax", "IDataTableCreationCommand",
                 "IDataIndexCreationCommand", "IDataIndexCreationCommand_0", "EventStormThreshold",
                 "RetainCustomInterfaceNames", "NumberOfEventProcessors", "EnableAccessControl"):
        assert gone not in config, gone
    # A sample of defaults with their flags.
    for name, value in [("StatusCalculationAlgorithm", ("1", 1, 1)), ("DBLockInfo", ("#00", 0, 0)),
                        ("EventLogRetentionTime", ("60", 1, 0)), ("SyslogRetentionTime", ("60", 1, 0)),
                        ("ConnectionPoolMaxSize", ("20", 1, 1)), ("BeaconHosts", ("#00", 1, 1))]:
        assert config[name] == value, (name, config[name])


@test
def test_init_builtin_user_group_and_roots():
    db = init_db()
    assert db.execute("SELECT guid FROM users WHERE id=0").fetchall() == [("",)]
    assert db.execute("SELECT guid FROM user_groups WHERE id=-2147483648").fetchall() == [("",)]
    roots = db.execute("SELECT object_id,is_deleted,last_modified FROM object_properties "
                       "WHERE object_id IN (1,2,3) ORDER BY object_id").fetchall()
    assert [r[0] for r in roots] == [1, 2, 3]
    assert all(r[1] == 0 and r[2] > 0 for r in roots), roots
    for stmt in ("UPDATE users SET guid='a' WHERE id=0",
                 "UPDATE user_groups SET guid='b' WHERE id=-2147483648"):
        assert db.execute(stmt).rowcount == 1, stmt


@test
def test_init_reference_rows():
    db = init_db()
    cases = [
        ("SELECT count(*) FROM event_cfg", 44),
        ("SELECT count(*) FROM event_cfg WHERE flags<>1", 0),
        ("SELECT count(*) FROM snmp_trap_cfg", 6),
        ("SELECT count(*) FROM snmp_trap_pmap", 2),
        ("SELECT count(*) FROM oid_to_type", 30),
        ("SELECT count(*) FROM object_tools", 20),
        ("SELECT count(*) FROM object_tools_acl WHERE user_id=-2147483648", 20),
        ("SELECT count(*) FROM object_tools_table_columns", 47),
        ("SELECT count(*) FROM object_tools_table_columns WHERE tool_id NOT IN (SELECT tool_id FROM object_tools)", 0),
        ("SELECT count(*) FROM script_library", 4),
        ("SELECT count(*) FROM maps", 1),
        ("SELECT count(*) FROM snmp_trap_cfg WHERE event_code NOT IN (SELECT event_code FROM event_cfg)", 0),
        ("SELECT col_name FROM object_tools_table_columns WHERE tool_id=12 AND col_number=2", "Packet size"),
        ("SELECT col_format FROM object_tools_table_columns WHERE tool_id=5 AND col_number=1", 5),
        ("SELECT flags FROM object_tools WHERE tool_id=4", 10),
        ("SELECT event_name FROM event_cfg WHERE event_code=52", "SYS_DB_QUERY_FAILED"),
    ]
    for query, expected in cases:
        assert db.execute(query).fetchone()[0] == expected, (query, db.execute(query).fetchone()[0])


@test
def test_tool_statements_fit_the_schema():
    db = init_db(with_demo=True)
    for stmt in TOOL_STATEMENTS:
        db.execute("SAVEPOINT s")
        try:
            db.execute(stmt).fetchall()
        except sqlite3.Error as err:
            raise AssertionError("%s: %s" % (stmt, err))
        finally:
            db.execute("ROLLBACK TO s")
            db.execute("RELEASE s")


@test
def test_dbschema_matches_init():
    init = init_db()
    schema = sqlite3.connect(":memory:")
    schema.executescript(read("dbschema_sqlite.sql"))  # one sqlite3_exec, as export runs it
    assert tables_of(schema) == tables_of(init)
    for table in tables_of(init):
        assert columns_of(schema, table) == columns_of(init, table), table
    assert meta(schema, "SchemaVersion") == "98"
    assert meta(schema, "IDataTableCreationCommand") == meta(init, "IDataTableCreationCommand")
    nonempty = [t for t in CORE_TABLES if schema.execute("SELECT count(*) FROM %s" % t).fetchone()[0]]
    assert not nonempty, "the schema script fills core tables: %s" % nonempty


def find_demo_faults(db):
    """What each stage of the check finds in a database, computed from the
    check's own rules."""
    props = {r[0]: (r[1], r[2], r[3]) for r in db.execute(
        "SELECT object_id,name,is_deleted,last_modified FROM object_properties")}
    live = {k for k, v in props.items() if v[1] == 0}
    nodes = dict(db.execute("SELECT id,primary_ip FROM nodes").fetchall())
    nsmap = {r[0] for r in db.execute("SELECT node_id FROM nsmap")}
    members = {r[0] for r in db.execute("SELECT object_id FROM container_members")}
    subnets = {r[0] for r in db.execute("SELECT ip_addr FROM subnets")}
    found = {}
    found["node without properties"] = sorted(n for n in nodes if n not in props)
    link, delete = [], []
    for node, ip in sorted(nodes.items()):
        if node not in props or props[node][1] or node in nsmap or node in members:
            continue
        nets = {str(ipaddress.ip_network("%s/%s" % r, strict=False).network_address) for r in db.execute(
            "SELECT ip_addr,ip_netmask FROM interfaces WHERE node_id=?", (node,))}
        (link if ip != "0.0.0.0" and nets & subnets else delete).append(node)
    found["node offered a subnet link"] = link
    found["node offered for deletion"] = delete
    for kind, table in (("interface", "interfaces"), ("network service", "network_services")):
        rows = db.execute("SELECT id,node_id FROM %s ORDER BY id" % table).fetchall()
        found[kind + " without properties"] = [i for i, _ in rows if i not in props]
        found[kind + " of a missing or deleted node"] = [i for i, n in rows if n not in live]
    found["cluster member not in nodes"] = [tuple(r) for r in db.execute(
        "SELECT cluster_id,node_id FROM cluster_members WHERE node_id NOT IN (SELECT id FROM nodes)")]
    found["template mapped to a missing node"] = [tuple(r) for r in db.execute(
        "SELECT template_id,node_id FROM dct_node_map WHERE node_id NOT IN (SELECT id FROM nodes)")]
    found["object with timestamp 0"] = sorted(k for k, v in props.items() if v[2] == 0)
    found["policy source not an object"] = [r[0] for r in db.execute(
        "SELECT object_id FROM policy_source_list WHERE object_id NOT IN (SELECT object_id FROM object_properties)")]
    found["policy event unknown"] = [r[0] for r in db.execute(
        "SELECT event_code FROM policy_event_list WHERE event_code>=0 AND event_code NOT IN "
        "(SELECT event_code FROM event_cfg) UNION ALL SELECT event_code FROM policy_event_list "
        "WHERE event_code<0 AND event_code NOT IN (SELECT id FROM event_groups)")]
    found["policy action unknown"] = [r[0] for r in db.execute(
        "SELECT action_id FROM policy_action_list WHERE action_id NOT IN (SELECT action_id FROM actions)")]
    now = 2147000000  # any moment before the planted future stamps
    found["node with future data"] = [n for n in sorted(nodes) if db.execute(
        "SELECT count(*) FROM idata_%d WHERE idata_timestamp>?" % n, (now,)).fetchone()[0]]
    found["future poll times"] = db.execute(
        "SELECT count(*) FROM raw_dci_values WHERE last_poll_time>?", (now,)).fetchone()[0]
    return found


# The faults planted by the demo, as listed in lib/sql/DEMO.md.
DEMO_FAULTS = {
    "node without properties": [110],
    "node offered a subnet link": [111],
    "node offered for deletion": [112],
    "interface without properties": [212],
    "interface of a missing or deleted node": [211],
    "network service without properties": [],
    "network service of a missing or deleted node": [62],
    "cluster member not in nodes": [(50, 115)],
    "template mapped to a missing node": [(40, 116)],
    "object with timestamp 0": [32],
    "policy source not an object": [999],
    "policy event unknown": [4100, -2147483639],
    "policy action unknown": [9],
    "node with future data": [102],
    "future poll times": 1,
}


@test
def test_demo_plants_the_documented_faults():
    found = find_demo_faults(init_db(with_demo=True))
    wrong = {k: (found[k], v) for k, v in DEMO_FAULTS.items() if found[k] != v}
    assert not wrong, "found vs documented: %s" % wrong


@test
def test_init_alone_has_no_faults():
    found = find_demo_faults(init_db())
    assert not any(found.values()), found


@test
def test_demo_gives_every_node_its_table():
    db = init_db(with_demo=True)
    tables = set(tables_of(db))
    missing = [n for n in node_ids(db) if "idata_%d" % n not in tables]
    assert not missing, missing


@test
def test_dialects_define_the_same_tables():
    parsed = {d: parse_script(read("dbinit_%s.sql" % d)) for d in DIALECTS}
    ref_tables, ref_order = parsed["sqlite"][0], parsed["sqlite"][1]
    for dialect in ("mysql", "pgsql"):
        tables, order = parsed[dialect][0], parsed[dialect][1]
        assert order == ref_order, dialect
        for name in ref_order:
            ref_cols, ref_pk = ref_tables[name]
            cols, pk = tables[name]
            assert [c[0] for c in cols] == [c[0] for c in ref_cols], (dialect, name)
            assert [c[2] for c in cols] == [c[2] for c in ref_cols], (dialect, name, "not null")
            assert pk == ref_pk, (dialect, name, "primary key")
            for col, ref in zip(cols, ref_cols):
                types = {"sqlite": ref[1], dialect: col[1]}
                family = [f for f in TYPE_FAMILIES if f["sqlite"] == ref[1] and f[dialect] == col[1]]
                assert family or (col[1] == ref[1] and col[1].startswith("varchar(")), \
                    (dialect, name, col[0], types)


@test
def test_mysql_keys_fit_innodb():
    # utf8mb4 takes up to 4 bytes a character; InnoDB's dynamic row format
    # allows 3072 bytes a key, and long text cannot be a key column.
    tables = parse_script(read("dbinit_mysql.sql"))[0]
    sizes = {"integer": 4, "bigint": 8}
    for name, (cols, pk) in tables.items():
        types = {c[0]: c[1] for c in cols}
        total = 0
        for col in pk or []:
            match = re.match(r"^varchar\((\d+)\)$", types[col])
            assert match or types[col] in sizes, (name, col, types[col])
            total += int(match.group(1)) * 4 + 2 if match else sizes[types[col]]
        assert total <= 3072, (name, total)
    assert "ROW_FORMAT=DYNAMIC" in read("dbinit_mysql.sql")


@test
def test_dialects_define_the_same_indexes_and_rows():
    parsed = {d: parse_script(read("dbinit_%s.sql" % d)) for d in DIALECTS}
    for dialect in ("mysql", "pgsql"):
        assert parsed[dialect][2] == parsed["sqlite"][2], dialect
        assert without_dialect_rows(parsed[dialect][3]) == without_dialect_rows(parsed["sqlite"][3]), dialect
        names = sorted(i[2][0] for i in parsed[dialect][3] if i[0] == "metadata")
        assert names == sorted(i[2][0] for i in parsed["sqlite"][3] if i[0] == "metadata"), dialect
        assert not parsed[dialect][4], parsed[dialect][4][:1]
    syntax = {d: [i[2][1] for i in parsed[d][3] if i[0] == "metadata" and i[2][0] == "'Syntax'"]
              for d in DIALECTS}
    assert syntax == {"mysql": ["'MYSQL'"], "pgsql": ["'PGSQL'"], "sqlite": ["'SQLITE'"]}, syntax


@test
def test_dialects_demo_rows_agree():
    parsed = {d: parse_script(read("demo_%s.sql" % d)) for d in DIALECTS}
    for dialect in ("mysql", "pgsql"):
        assert parsed[dialect][3] == parsed["sqlite"][3], dialect
        assert parsed[dialect][1] == parsed["sqlite"][1], dialect
        # The per-node index commands differ by dialect; each node gets as
        # many indexes, on the same table.
        assert [i[1] for i in parsed[dialect][2]] == [i[1] for i in parsed["sqlite"][2]], dialect


@test
def test_dbschema_has_the_sqlite_tables_of_init():
    init = parse_script(read("dbinit_sqlite.sql"))
    schema = parse_script(read("dbschema_sqlite.sql"))
    assert schema[0] == init[0] and schema[1] == init[1] and schema[2] == init[2]
    assert {i[0] for i in schema[3]} == {"metadata"}


def main():
    print("%d passed, %d failed" % (len(PASSED), len(FAILED)))
    return 1 if FAILED else 0


if __name__ == "__main__":
    sys.exit(main())
