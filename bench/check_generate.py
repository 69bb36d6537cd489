#!/usr/bin/env python3
"""Writes the SQL that fills a database made by "schemon init" with a
network of a given size for timing "check": every node with its properties
row, its idata_<id> table and three collected values, four interfaces, half a
network service, subnets, nsmap links, cluster members, template mappings
and event-policy rows, with 1% of each kind of inconsistency the check
reports.

    check_generate.py DIALECT NODES > load.sql     DIALECT: sqlite|pgsql|mysql
"""
import sys

NODE0, IF0, SVC0, SUBNET0, CLUSTER0, TEMPLATE0 = (
    100000, 1000000, 3000000, 4000000, 4500000, 4600000)
NOW = 1700000000
FUTURE = 2147480000


def main():
    dialect, n = sys.argv[1], int(sys.argv[2])
    idata_create = ("CREATE TABLE idata_%d (item_id integer not null,"
                    "idata_timestamp integer not null,idata_value varchar(255))")
    if dialect == "mysql":
        idata_create += " ENGINE=InnoDB"
    out = sys.stdout
    batches = {}

    def row(table, columns, values):
        key = (table, columns)
        batches.setdefault(key, []).append("(" + ",".join(values) + ")")
        if len(batches[key]) >= 500:
            flush(key)

    def flush(key):
        rows = batches.pop(key, [])
        if rows:
            out.write("INSERT INTO %s (%s) VALUES %s;\n"
                      % (key[0], key[1], ",".join(rows)))

    def props(object_id, name, deleted=0, last_modified=NOW):
        row("object_properties",
            "object_id,name,status,is_deleted,last_modified,"
            "inherit_access_rights,status_thresholds",
            [str(object_id), "'%s'" % name, "0", str(deleted),
             str(last_modified), "1", "'00000000'"])

    def faulty(k, kind):
        # 1% of the rows of each kind, each kind on other rows.
        return k % 100 == kind

    subnets = max(1, n // 100)
    for s in range(subnets):
        sid = SUBNET0 + s
        row("subnets", "id,ip_addr,ip_netmask",
            [str(sid), "'10.%d.%d.0'" % (s // 256, s % 256), "'255.255.255.0'"])
        props(sid, "subnet%d" % s)
    for c in range(10):
        props(CLUSTER0 + c, "cluster%d" % c)
        props(TEMPLATE0 + c, "template%d" % c)
    out.write("BEGIN;\n")
    for k in range(n):
        nid = NODE0 + k
        s = k % subnets
        ip = "10.%d.%d.%d" % (s // 256, s % 256, 10 + k % 200)
        unlinked_zero = faulty(k, 1)
        unlinked_linkable = faulty(k, 2)
        row("nodes", "id,primary_ip,snmp_version,community,auth_method,secret,"
            "agent_port,status_poll_type,snmp_oid",
            [str(nid), "'0.0.0.0'" if unlinked_zero else "'%s'" % ip, "1",
             "'public'", "0", "''", "4700", "0", "''"])
        if not faulty(k, 0):
            props(nid, "node%d" % k, deleted=1 if faulty(k, 3) else 0,
                  last_modified=0 if faulty(k, 4) else NOW)
        if not (unlinked_zero or unlinked_linkable):
            row("nsmap", "subnet_id,node_id", [str(SUBNET0 + s), str(nid)])
        out.write(idata_create % nid + ";\n")
        stamps = [NOW - 600, NOW - 300, FUTURE if faulty(k, 5) else NOW]
        out.write("INSERT INTO idata_%d (item_id,idata_timestamp,idata_value) "
                  "VALUES %s;\n" % (nid, ",".join(
                      "(%d,%d,'1')" % (i + 1, t) for i, t in enumerate(stamps))))
        for j in range(4):
            i = 4 * k + j
            iid = IF0 + i
            owner = NODE0 + n + i if faulty(i, 6) else nid
            row("interfaces", "id,node_id,ip_addr,ip_netmask,mac_addr,if_type,"
                "if_index", [str(iid), str(owner), "'%s'" % ip,
                             "'255.255.255.0'", "''", "6", str(j + 1)])
            if not faulty(i, 7):
                props(iid, "eth%d" % j)
        if k % 2 == 0:
            sid = SVC0 + k
            owner = NODE0 + n + k if faulty(k // 2, 8) else nid
            row("network_services", "id,node_id,poller_node_id",
                [str(sid), str(owner), "0"])
            props(sid, "svc%d" % k)
        if k % 10 == 0:
            member = NODE0 + n + k if faulty(k // 10, 9) else nid
            row("cluster_members", "cluster_id,node_id",
                [str(CLUSTER0 + k % 10), str(member)])
        if k % 2 == 1:
            mapped = NODE0 + n + k if faulty(k // 2, 10) else nid
            row("dct_node_map", "template_id,node_id",
                [str(TEMPLATE0 + k % 10), str(mapped)])
        if k % 20 == 0:
            p = k // 20
            rule = 1000 + p
            row("event_policy", "rule_id,flags,comments,alarm_message,"
                "alarm_severity,alarm_key,script,alarm_timeout,"
                "alarm_timeout_event,situation_id,situation_instance",
                [str(rule), "0", "''", "''", "0", "''", "''", "0", "0",
                 "0", "''"])
            row("policy_source_list", "rule_id,object_id",
                [str(rule), str(NODE0 + 2 * n + p if faulty(p, 11) else nid)])
            row("policy_event_list", "rule_id,event_code",
                [str(rule), str(90000 + p if faulty(p, 12) else 28)])
            row("policy_action_list", "rule_id,action_id",
                [str(rule), str(90000 + p if faulty(p, 13) else 1)])
        row("raw_dci_values", "item_id,raw_value,last_poll_time",
            [str(k + 1), "'1'", str(FUTURE if faulty(k, 14) else NOW)])
    for key in list(batches):
        flush(key)
    row("actions", "action_id,action_name,action_type,is_disabled,rcpt_addr,"
        "email_subject,action_data", ["1", "'bench'", "0", "0", "''", "''", "''"])
    flush(("actions", "action_id,action_name,action_type,is_disabled,rcpt_addr,"
           "email_subject,action_data"))
    out.write("COMMIT;\n")


if __name__ == "__main__":
    main()
