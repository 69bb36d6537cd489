#include "transfer/core_tables.h"

const char* const g_apszCoreTables[CORE_TABLE_COUNT + 1] = {
    "config", "config_clob", "users", "user_groups", "user_group_members",
    "user_profiles", "object_properties", "object_custom_attributes", "zones",
    "zone_ip_addr_list", "nodes", "clusters", "cluster_members",
    "cluster_sync_subnets", "cluster_resources", "subnets", "interfaces",
    "network_services", "vpn_connectors", "vpn_connector_networks",
    "containers", "conditions", "cond_dci_map", "templates", "dct_node_map",
    "nsmap", "container_members", "container_categories", "acl",
    "trusted_nodes", "items", "thresholds", "dci_schedules", "raw_dci_values",
    "event_cfg", "event_log", "actions", "event_groups", "event_group_members",
    "time_ranges", "event_policy", "policy_source_list", "policy_event_list",
    "policy_action_list", "policy_situation_attr_list",
    "policy_time_range_list", "deleted_objects", "alarms", "alarm_notes",
    "oid_to_type", "snmp_trap_cfg", "snmp_trap_pmap", "agent_pkg",
    "object_tools", "object_tools_acl", "object_tools_table_columns", "syslog",
    "script_library", "snmp_trap_log", "maps", "map_access_lists", "submaps",
    "submap_object_positions", "submap_links", "agent_configs",
    "address_lists", "graphs", "graph_acl", "certificates", "audit_log",
    "situations", "snmp_communities", "web_maps", "userdb_custom_attributes",
    nullptr};
