#!/usr/bin/env python3
"""Writes the SQL that grows a loaded version-14 baseline to benchmark size.

  bench/upgrade14_gen.py DIALECT NODES ROWS > fill.sql   (sqlite|pgsql|mysql)

NODES nodes (ids from 1000, one in twenty deleted, node flags from the id
bits, some names hash-escaped), each with one interface, a per-node data
table idata_<id> and five items; ROWS collected-data rows spread evenly over
the per-node tables, filled server-side from a scratch sequence table in one
INSERT ... SELECT per node. Also subnets and their node map, one threshold
per node, access options for most objects, event policy rules with their
event, source and action lists, users and groups with members.
The script runs in one transaction on SQLite and PostgreSQL.
"""
import sys

ITEMS_PER_NODE = 5
FIRST_NODE = 1000
FIRST_INTERFACE = 100000
FIRST_SUBNET = 200000
FIRST_ITEM = 1000000
BASE_TIME = 1100000000


def main():
    if len(sys.argv) != 4 or sys.argv[1] not in ("sqlite", "pgsql", "mysql"):
        sys.exit(__doc__)
    dialect, nodes, rows = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    per_node = max(ITEMS_PER_NODE, -(-rows // max(nodes, 1)))
    out = sys.stdout
    w = out.write

    def insert(table, columns, values, chunk=500):
        for i in range(0, len(values), chunk):
            w("INSERT INTO %s (%s) VALUES\n%s;\n" %
              (table, columns, ",\n".join(values[i:i + chunk])))

    if dialect != "mysql":
        w("BEGIN;\n")

    # scratch sequence 0 .. per_node-1, made by doubling
    w("CREATE TABLE bench_seq (x integer not null);\n")
    w("INSERT INTO bench_seq (x) VALUES (0);\n")
    filled = 1
    while filled < per_node:
        w("INSERT INTO bench_seq (x) SELECT x+%d FROM bench_seq WHERE x+%d<%d;\n"
          % (filled, filled, per_node))
        filled *= 2

    subnets = max(1, nodes // 50)
    node_rows, iface_rows, nsmap_rows, item_rows, thr_rows, acc_rows = (
        [], [], [], [], [], [])
    for n in range(nodes):
        nid = FIRST_NODE + n
        deleted = 1 if n % 20 == 19 else 0
        bits = [(n >> b) & 1 for b in range(5)]  # snmp agent bridge router mgmt
        name = ("node#27%d" % n) if n % 10 == 0 else ("node-%d" % n)
        ip = "10.%d.%d.%d" % (n // 65536 % 256, n // 256 % 256, n % 256)
        node_rows.append(
            "(%d,'%s',%d,%d,'%s',%d,%d,%d,%d,1,'public',0,'',4700,0,"
            "'.1.3.6.1.4.1.9.1.%d',%d,0,1,0,'#00')" %
            (nid, name, n % 5, deleted, ip, bits[0], bits[1], bits[2], bits[3],
             n % 7, bits[4]))
        iid = FIRST_INTERFACE + n
        iface_rows.append(
            "(%d,'eth0',0,%d,%d,'%s','255.255.255.0','00A0C9%06X',6,1,0)" %
            (iid, deleted, nid, ip, n))
        nsmap_rows.append("(%d,%d)" % (FIRST_SUBNET + n % subnets, nid))
        for j in range(ITEMS_PER_NODE):
            item = FIRST_ITEM + n * ITEMS_PER_NODE + j
            item_rows.append(
                "(%d,%d,0,'Item.%d','Item #22%d#22 of node %d',1,%d,60,30,0,0,"
                "'#00')" % (item, nid, j, j, nid, j % 6))
        thr_rows.append("(%d,%d,0,'90','80',0,4,0,0,4000)" %
                        (n + 100, FIRST_ITEM + n * ITEMS_PER_NODE))
        if n % 10 != 9:
            acc_rows.append("(%d,%d)" % (nid, n % 2))
        if n % 2 == 0:
            acc_rows.append("(%d,1)" % iid)
    for s in range(subnets):
        acc_rows.append("(%d,1)" % (FIRST_SUBNET + s))

    insert("nodes",
           "id,name,status,is_deleted,primary_ip,is_snmp,is_agent,is_bridge,"
           "is_router,snmp_version,community,auth_method,secret,agent_port,"
           "status_poll_type,snmp_oid,is_local_mgmt,discovery_flags,"
           "inherit_access_rights,image_id,description", node_rows)
    insert("interfaces",
           "id,name,status,is_deleted,node_id,ip_addr,ip_netmask,mac_addr,"
           "if_type,if_index,image_id", iface_rows)
    insert("subnets", "id,name,status,is_deleted,ip_addr,ip_netmask,image_id",
           ["(%d,'10.%d.0.0',0,0,'10.%d.0.0','255.255.0.0',0)" %
            (FIRST_SUBNET + s, s % 256, s % 256) for s in range(subnets)])
    insert("nsmap", "subnet_id,node_id", nsmap_rows)
    insert("items",
           "item_id,node_id,template_id,name,description,source,datatype,"
           "polling_interval,retention_time,status,delta_calculation,"
           "transformation", item_rows)
    insert("thresholds",
           "threshold_id,item_id,sequence_number,fire_value,rearm_value,"
           "check_function,check_operation,parameter_1,parameter_2,event_code",
           thr_rows)
    insert("access_options", "object_id,inherit_rights", acc_rows)
    insert("acl", "object_id,user_id,access_rights",
           ["(%d,-2147483647,3)" % (FIRST_NODE + n) for n in range(0, nodes, 10)])

    rules = 200
    insert("event_policy",
           "rule_id,flags,comments,alarm_message,alarm_severity,alarm_key,"
           "alarm_ack_key",
           ["(%d,7944,'Rule #22%d#22','%%m',%d,'KEY_%d','#00')" %
            (r + 10, r, r % 6, r) for r in range(rules)])
    insert("policy_event_list", "rule_id,event_id",
           ["(%d,%d)" % (r + 10, (17, 18, 4000)[r % 3]) for r in range(rules)])
    insert("policy_source_list", "rule_id,object_id",
           ["(%d,%d)" % (r + 10, FIRST_NODE + r % nodes) for r in range(rules)
            if nodes > 0])
    insert("policy_action_list", "rule_id,action_id",
           ["(%d,1)" % (r + 10) for r in range(rules)])

    users, groups = 100, 20
    insert("users", "id,name,password,access,flags,full_name,description",
           ["(%d,'user%d','DA39A3EE5E6B4B0D3255BFEF95601890AFD80709',1,0,"
            "'User #27%d#27','')" % (u + 10, u, u) for u in range(users)])
    insert("user_groups", "id,name,access,flags,description",
           ["(%d,'group%d',1,0,'#00')" % (-2147483600 + g, g)
            for g in range(groups)])
    insert("user_group_members", "group_id,user_id",
           ["(%d,%d)" % (-2147483600 + u % groups, u + 10)
            for u in range(users)])

    # per-node data tables, ROWS rows in all: item k of the node every 60 s
    if dialect == "mysql":
        value, slot = "CONCAT('',x%1000)", "(x DIV %d)" % ITEMS_PER_NODE
    else:
        value, slot = "''||(x%1000)", "(x/%d)" % ITEMS_PER_NODE
    for n in range(nodes):
        nid = FIRST_NODE + n
        w("CREATE TABLE idata_%d (item_id integer not null,idata_timestamp "
          "integer not null,idata_value varchar(255));\n" % nid)
        count = rows // nodes + (1 if n < rows % nodes else 0)
        w("INSERT INTO idata_%d (item_id,idata_timestamp,idata_value) "
          "SELECT %d+x%%%d,%d+%s*60,%s FROM bench_seq WHERE x<%d;\n" %
          (nid, FIRST_ITEM + n * ITEMS_PER_NODE, ITEMS_PER_NODE, BASE_TIME,
           slot, value, count))
    w("DROP TABLE bench_seq;\n")
    if dialect != "mysql":
        w("COMMIT;\n")


if __name__ == "__main__":
    main()
