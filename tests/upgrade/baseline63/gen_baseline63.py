#!/usr/bin/env python3
"""Write the version-63 baseline scripts.

    gen_baseline63.py           write baseline63_<dialect>.sql
    gen_baseline63.py --check   exit 1 when a committed script is stale

The version-63 schema is the shipped version-98 schema (lib/sql/schema/
schema.txt) with what the upgrade steps 63 to 98 create taken out again:
their new tables and columns, and the new forms of the tables they
re-create or widen. baseline63.txt adds the tables those steps drop, the
old forms of the re-created tables and the rows. Load a script with
"schemon batch baseline63_<dialect>.sql".
"""

import argparse
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(os.path.dirname(HERE)))
sys.path.insert(0, os.path.join(ROOT, "tools"))

import gen_sql  # noqa: E402

SYNTAX_NAMES = {"mysql": "MYSQL", "pgsql": "PGSQL", "sqlite": "SQLITE"}

# Tables the steps from 63 on create; the three re-created ones come back
# in their old form from baseline63.txt.
CREATED_TABLES = [
    "audit_log", "policy_situation_attr_list", "situations",
    "snmp_communities", "trusted_nodes", "object_custom_attributes",
    "web_maps", "config_clob", "metadata", "userdb_custom_attributes",
    "usm_credentials", "cond_dci_map", "dci_schedules", "address_lists",
]

# Columns the steps from 63 on add.
ADDED_COLUMNS = {
    "submap_links": ["port1", "port2"],
    "subnets": ["synthetic_mask"],
    "interfaces": ["synthetic_mask", "required_polls"],
    "thresholds": ["repeat_interval"],
    "snmp_trap_cfg": ["user_tag"],
    "event_log": ["user_tag"],
    "nodes": ["required_polls", "uname", "use_ifxtable", "usm_auth_password",
              "usm_priv_password", "usm_methods"],
    "network_services": ["required_polls"],
    "items": ["proxy_node", "base_units", "unit_multiplier",
              "custom_units_name", "perftab_settings"],
    "event_policy": ["situation_id", "situation_instance"],
    "templates": ["enable_auto_apply", "apply_filter"],
    "containers": ["enable_auto_bind", "auto_bind_filter"],
    "cluster_resources": ["current_owner"],
    "object_properties": ["location_type", "latitude", "longitude"],
}

# Statements after the rows: NULLs in long-text columns, which MySQL's
# change to "text not null" (step 78 to 79) must turn into empty values.
AFTER_ROWS = [
    "UPDATE users SET cert_mapping_data=NULL WHERE id=1",
    "UPDATE network_services SET check_responce=NULL",
]


def version63_schema(shipped, extra):
    schema = gen_sql.Schema()
    for table in shipped.tables:
        if table.name in CREATED_TABLES:
            continue
        dropped = ADDED_COLUMNS.get(table.name, [])
        table.columns = [c for c in table.columns if c.name not in dropped]
        if table.name == "nodes":
            table.column("community").ctype = "varchar(32)"
        if table.name == "object_properties":
            table.columns.append(gen_sql.Column("image_id", "integer", False, None, False))
        schema.tables.append(table)
    schema.tables.extend(extra.tables)
    schema.indexes = [i for i in shipped.indexes if schema.table(i[1]) is not None]
    return schema


def config_rows(shipped, extra, dialect):
    meta = dict(shipped.meta)
    rows = [("DBFormatVersion", "63", 0, 1), ("DBSyntax", SYNTAX_NAMES[dialect], 0, 1)]
    for name in ("IDataTableCreationCommand", "IDataIndexCreationCommand_0",
                 "IDataIndexCreationCommand_1"):
        rows.append((name, meta[name][dialect], 0, 1))
    rows.extend(extra.variables)
    return [gen_sql.insert("config", ["var_name", "var_value", "is_visible", "need_server_restart"],
                           [name, gen_sql.hash_escape(value), visible, restart])
            for name, value, visible, restart in rows]


def baseline_script(shipped, extra, schema, dialect):
    groups = gen_sql.schema_statements(schema, dialect)
    groups.append(config_rows(shipped, extra, dialect))
    node_ids = []
    for table, columns, rows in gen_sql.complete_rows(schema, extra.rows, strict=False):
        groups.append([gen_sql.insert(table, columns, row) for row in rows])
        if table == "nodes":
            node_ids.extend(row[columns.index("id")] for row in rows)
    for node_id in node_ids:
        groups.append(gen_sql.node_table_statements(shipped, dialect, node_id))
    groups.append(AFTER_ROWS)
    return gen_sql.script(groups)


def generate():
    out = {}
    for dialect in gen_sql.DIALECTS:
        shipped, _ = gen_sql.load(ROOT)
        extra = gen_sql.parse_description(os.path.join(HERE, "baseline63.txt"))
        schema = version63_schema(shipped, extra)
        out["baseline63_%s.sql" % dialect] = baseline_script(shipped, extra, schema, dialect)
    return out


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--check", action="store_true",
                        help="compare the committed scripts with the generated ones")
    args = parser.parse_args(argv)
    stale = False
    for name, text in generate().items():
        path = os.path.join(HERE, name)
        if args.check:
            with open(path, encoding="utf-8") as handle:
                if handle.read() != text:
                    print("%s is stale" % path)
                    stale = True
        else:
            with open(path, "w", encoding="utf-8") as handle:
                handle.write(text)
    return 1 if stale else 0


if __name__ == "__main__":
    sys.exit(main())
