CREATE TABLE config (
  var_name varchar(63) not null,
  var_value varchar(255),
  is_visible integer not null default 1,
  need_server_restart integer not null default 0,
  PRIMARY KEY(var_name)
);

CREATE TABLE users (
  id integer not null,
  name varchar(63) not null,
  password varchar(48) not null,
  flags integer not null,
  full_name varchar(127),
  description varchar(255),
  system_access integer,
  grace_logins integer,
  guid varchar(36),
  auth_method integer,
  cert_mapping_method integer,
  cert_mapping_data varchar,
  PRIMARY KEY(id)
);

CREATE TABLE user_groups (
  id integer not null,
  name varchar(63) not null,
  flags integer not null,
  description varchar(255),
  system_access integer,
  guid varchar(36),
  PRIMARY KEY(id)
);

CREATE TABLE user_group_members (
  group_id integer not null,
  user_id integer not null,
  PRIMARY KEY(group_id,user_id)
);

CREATE TABLE user_profiles (
  user_id integer not null,
  var_name varchar(255) not null,
  var_value varchar,
  PRIMARY KEY(user_id,var_name)
);

CREATE TABLE object_properties (
  object_id integer not null,
  name varchar(63) not null,
  status integer not null,
  is_deleted integer not null,
  last_modified integer not null,
  inherit_access_rights integer not null,
  status_calc_alg integer,
  status_prop_alg integer,
  status_fixed_val integer,
  status_shift integer,
  status_translation varchar(8),
  status_single_threshold integer,
  status_thresholds varchar(8),
  comments varchar,
  is_system integer,
  image_id integer,
  PRIMARY KEY(object_id)
);

CREATE TABLE zones (
  id integer not null,
  zone_guid integer not null,
  zone_type integer not null,
  controller_ip varchar(15) not null,
  PRIMARY KEY(id)
);

CREATE TABLE zone_ip_addr_list (
  zone_id integer not null,
  ip_addr varchar(15) not null,
  PRIMARY KEY(zone_id,ip_addr)
);

CREATE TABLE nodes (
  id integer not null,
  primary_ip varchar(15) not null,
  snmp_version integer not null,
  community varchar(32) not null,
  auth_method integer not null,
  secret varchar(64) not null,
  agent_port integer not null,
  status_poll_type integer not null,
  snmp_oid varchar(255) not null,
  agent_version varchar(63),
  platform_name varchar(63),
  poller_node_id integer,
  node_flags integer,
  zone_guid integer,
  proxy_node integer,
  snmp_proxy integer,
  PRIMARY KEY(id)
);

CREATE TABLE clusters (
  id integer not null,
  cluster_type integer not null,
  PRIMARY KEY(id)
);

CREATE TABLE cluster_members (
  cluster_id integer not null,
  node_id integer not null,
  PRIMARY KEY(cluster_id,node_id)
);

CREATE TABLE cluster_sync_subnets (
  cluster_id integer not null,
  subnet_addr varchar(15) not null,
  subnet_mask varchar(15) not null,
  PRIMARY KEY(cluster_id,subnet_addr)
);

CREATE TABLE cluster_resources (
  cluster_id integer not null,
  resource_id integer not null,
  resource_name varchar(255) not null,
  ip_addr varchar(15) not null,
  PRIMARY KEY(cluster_id,resource_id)
);

CREATE TABLE subnets (
  id integer not null,
  ip_addr varchar(15) not null,
  ip_netmask varchar(15) not null,
  zone_guid integer,
  PRIMARY KEY(id)
);

CREATE TABLE interfaces (
  id integer not null,
  node_id integer not null,
  ip_addr varchar(15) not null,
  ip_netmask varchar(15) not null,
  mac_addr varchar(16) not null,
  if_type integer not null,
  if_index integer not null,
  PRIMARY KEY(id)
);

CREATE TABLE network_services (
  id integer not null,
  node_id integer not null,
  service_type integer,
  ip_bind_addr varchar(15),
  ip_proto integer,
  ip_port integer,
  check_request varchar,
  check_responce varchar,
  poller_node_id integer not null,
  PRIMARY KEY(id)
);

CREATE TABLE vpn_connectors (
  id integer not null,
  node_id integer not null,
  peer_gateway integer not null,
  PRIMARY KEY(id)
);

CREATE TABLE vpn_connector_networks (
  vpn_id integer not null,
  network_type integer not null,
  ip_addr varchar(15) not null,
  ip_netmask varchar(15) not null,
  PRIMARY KEY(vpn_id,ip_addr)
);

CREATE TABLE containers (
  id integer not null,
  category integer not null,
  PRIMARY KEY(id)
);

CREATE TABLE conditions (
  id integer not null,
  activation_event integer not null,
  deactivation_event integer not null,
  source_object integer not null,
  active_status integer not null,
  inactive_status integer not null,
  script varchar not null,
  PRIMARY KEY(id)
);

CREATE TABLE templates (
  id integer not null,
  version integer not null,
  PRIMARY KEY(id)
);

CREATE TABLE dct_node_map (
  template_id integer not null,
  node_id integer not null,
  PRIMARY KEY(template_id,node_id)
);

CREATE TABLE nsmap (
  subnet_id integer not null,
  node_id integer not null,
  PRIMARY KEY(subnet_id,node_id)
);

CREATE TABLE container_members (
  container_id integer not null,
  object_id integer not null,
  PRIMARY KEY(container_id,object_id)
);

CREATE TABLE container_categories (
  category integer not null,
  name varchar(63) not null,
  image_id integer not null,
  description varchar,
  PRIMARY KEY(category)
);

CREATE TABLE acl (
  object_id integer not null,
  user_id integer not null,
  access_rights integer not null,
  PRIMARY KEY(object_id,user_id)
);

CREATE TABLE items (
  item_id integer not null,
  node_id integer not null,
  template_id integer not null,
  name varchar(255) not null,
  description varchar(255) not null,
  source integer not null,
  datatype integer not null,
  polling_interval integer not null,
  retention_time integer not null,
  status integer not null,
  delta_calculation integer not null,
  transformation varchar,
  instance varchar(255),
  template_item_id integer,
  adv_schedule integer,
  all_thresholds integer,
  resource_id integer,
  PRIMARY KEY(item_id)
);

CREATE TABLE thresholds (
  threshold_id integer not null,
  item_id integer not null,
  sequence_number integer not null,
  fire_value varchar(255),
  rearm_value varchar(255),
  check_function integer not null,
  check_operation integer not null,
  parameter_1 integer not null,
  parameter_2 integer not null,
  event_code integer not null,
  current_state integer,
  rearm_event_code integer,
  PRIMARY KEY(threshold_id)
);

CREATE TABLE raw_dci_values (
  item_id integer not null,
  raw_value varchar(255),
  last_poll_time integer,
  PRIMARY KEY(item_id)
);

CREATE TABLE event_cfg (
  event_code integer not null,
  event_name varchar(63) not null,
  severity integer,
  flags integer,
  message varchar(255),
  description varchar,
  PRIMARY KEY(event_code)
);

CREATE TABLE event_log (
  event_id bigint not null,
  event_code integer,
  event_timestamp integer,
  event_source integer,
  event_severity integer,
  event_message varchar(255),
  root_event_id bigint default 0,
  PRIMARY KEY(event_id)
);

CREATE TABLE actions (
  action_id integer not null,
  action_name varchar(63) not null,
  action_type integer not null,
  is_disabled integer not null,
  rcpt_addr varchar(255),
  email_subject varchar(255),
  action_data varchar,
  PRIMARY KEY(action_id)
);

CREATE TABLE event_groups (
  id integer not null,
  name varchar(63) not null,
  description varchar(255),
  range_start integer,
  range_end integer,
  PRIMARY KEY(id)
);

CREATE TABLE event_group_members (
  group_id integer not null,
  event_code integer not null,
  PRIMARY KEY(group_id,event_code)
);

CREATE TABLE time_ranges (
  time_range_id integer not null,
  wday_mask integer not null,
  mday_mask integer not null,
  month_mask integer not null,
  time_range varchar(255) not null,
  PRIMARY KEY(time_range_id)
);

CREATE TABLE event_policy (
  rule_id integer not null,
  flags integer not null,
  comments varchar,
  alarm_message varchar(255),
  alarm_severity integer,
  alarm_key varchar(255),
  script varchar,
  alarm_timeout integer,
  alarm_timeout_event integer,
  PRIMARY KEY(rule_id)
);

CREATE TABLE policy_source_list (
  rule_id integer not null,
  object_id integer not null,
  PRIMARY KEY(rule_id,object_id)
);

CREATE TABLE policy_event_list (
  rule_id integer not null,
  event_code integer not null,
  PRIMARY KEY(rule_id,event_code)
);

CREATE TABLE policy_action_list (
  rule_id integer not null,
  action_id integer not null,
  PRIMARY KEY(rule_id,action_id)
);

CREATE TABLE policy_time_range_list (
  rule_id integer not null,
  time_range_id integer not null,
  PRIMARY KEY(rule_id,time_range_id)
);

CREATE TABLE deleted_objects (
  object_id integer not null,
  object_class integer not null,
  name varchar(63),
  ip_addr varchar(15),
  ip_netmask varchar(15),
  PRIMARY KEY(object_id)
);

CREATE TABLE alarms (
  alarm_id integer not null,
  message varchar(255),
  source_object_id integer,
  alarm_key varchar(255),
  ack_by integer,
  source_event_code integer,
  source_event_id bigint,
  alarm_state integer,
  hd_state integer,
  hd_ref varchar(63),
  creation_time integer,
  last_change_time integer,
  original_severity integer,
  current_severity integer,
  repeat_count integer,
  term_by integer,
  timeout integer,
  timeout_event integer,
  PRIMARY KEY(alarm_id)
);

CREATE TABLE alarm_notes (
  note_id integer not null,
  alarm_id integer not null,
  change_time integer not null,
  user_id integer not null,
  note_text varchar not null,
  PRIMARY KEY(note_id)
);

CREATE TABLE oid_to_type (
  pair_id integer not null,
  snmp_oid varchar(255) not null,
  node_type integer not null,
  node_flags integer not null,
  PRIMARY KEY(pair_id)
);

CREATE TABLE snmp_trap_cfg (
  trap_id integer not null,
  snmp_oid varchar(255) not null,
  description varchar(255),
  event_code integer not null default 0,
  PRIMARY KEY(trap_id)
);

CREATE TABLE snmp_trap_pmap (
  trap_id integer not null,
  parameter integer not null,
  snmp_oid varchar(255),
  description varchar(255),
  PRIMARY KEY(trap_id,parameter)
);

CREATE TABLE agent_pkg (
  pkg_id integer not null,
  pkg_name varchar(63),
  version varchar(31),
  platform varchar(63),
  pkg_file varchar(255),
  description varchar(255),
  PRIMARY KEY(pkg_id)
);

CREATE TABLE object_tools (
  tool_id integer not null,
  tool_name varchar(255) not null,
  tool_type integer not null,
  tool_data varchar,
  description varchar(255),
  flags integer not null,
  matching_oid varchar(255),
  confirmation_text varchar(255),
  PRIMARY KEY(tool_id)
);

CREATE TABLE object_tools_acl (
  tool_id integer not null,
  user_id integer not null,
  PRIMARY KEY(tool_id,user_id)
);

CREATE TABLE object_tools_table_columns (
  tool_id integer not null,
  col_number integer not null,
  col_name varchar(255),
  col_oid varchar(255),
  col_format integer,
  col_substr integer,
  PRIMARY KEY(tool_id,col_number)
);

CREATE TABLE syslog (
  msg_id number(20) not null,
  msg_timestamp integer not null,
  facility integer not null,
  severity integer not null,
  source_object_id integer not null,
  hostname varchar(127) not null,
  msg_tag varchar(32) not null,
  msg_text varchar not null,
  PRIMARY KEY(msg_id)
);

CREATE TABLE script_library (
  script_id integer not null,
  script_name varchar(63) not null,
  script_code varchar not null,
  PRIMARY KEY(script_id)
);

CREATE TABLE snmp_trap_log (
  trap_id number(20) not null,
  trap_timestamp integer not null,
  ip_addr varchar(15) not null,
  object_id integer not null,
  trap_oid varchar(255) not null,
  trap_varlist varchar not null,
  PRIMARY KEY(trap_id)
);

CREATE TABLE maps (
  map_id integer not null,
  map_name varchar(255) not null,
  description varchar not null,
  root_object_id integer not null,
  PRIMARY KEY(map_id)
);

CREATE TABLE map_access_lists (
  map_id integer not null,
  user_id integer not null,
  access_rights integer not null,
  PRIMARY KEY(map_id,user_id)
);

CREATE TABLE submaps (
  map_id integer not null,
  submap_id integer not null,
  attributes integer not null,
  PRIMARY KEY(map_id,submap_id)
);

CREATE TABLE submap_object_positions (
  map_id integer not null,
  submap_id integer not null,
  object_id integer not null,
  x integer not null,
  y integer not null,
  PRIMARY KEY(map_id,submap_id,object_id)
);

CREATE TABLE submap_links (
  map_id integer not null,
  submap_id integer not null,
  object_id1 integer not null,
  object_id2 integer not null,
  link_type integer not null,
  PRIMARY KEY(map_id,submap_id,object_id1,object_id2)
);

CREATE TABLE agent_configs (
  config_id integer not null,
  config_name varchar(255) not null,
  config_file varchar not null,
  config_filter varchar not null,
  sequence_number integer not null,
  PRIMARY KEY(config_id)
);

CREATE TABLE graphs (
  graph_id integer not null,
  owner_id integer not null,
  name varchar(255) not null,
  config varchar not null,
  PRIMARY KEY(graph_id)
);

CREATE TABLE graph_acl (
  graph_id integer not null,
  user_id integer not null,
  user_rights integer not null,
  PRIMARY KEY(graph_id,user_id)
);

CREATE TABLE certificates (
  cert_id integer not null,
  cert_type integer not null,
  cert_data varchar not null,
  subject varchar not null,
  comments varchar not null,
  PRIMARY KEY(cert_id)
);

CREATE TABLE cond_dci_map (
  condition_id integer not null,
  dci_id integer not null,
  node_id integer not null,
  dci_func integer not null,
  num_polls integer not null,
  PRIMARY KEY(condition_id,dci_id)
);

CREATE TABLE dci_schedules (
  item_id integer not null,
  schedule varchar(255) not null
);

CREATE TABLE address_lists (
  list_type integer not null,
  addr_type integer not null,
  addr1 varchar(15) not null,
  addr2 varchar(15) not null
);

CREATE TABLE modules (
  module_id integer not null,
  module_name varchar(63) not null,
  exec_name varchar(255) not null,
  module_flags integer not null,
  description varchar,
  license_key varchar(255),
  PRIMARY KEY(module_id)
);

CREATE TABLE alarm_grops (
  alarm_group_id integer not null,
  group_name varchar(255) not null,
  PRIMARY KEY(alarm_group_id)
);

CREATE TABLE alarm_group_map (
  alarm_group_id integer not null,
  attrib_name varchar(255) not null,
  match_type integer not null,
  match_data varchar(255) not null,
  PRIMARY KEY(alarm_group_id,attrib_name)
);

CREATE TABLE alarm_change_log (
  change_id bigint not null,
  change_time integer not null,
  alarm_id integer not null,
  opcode integer not null,
  user_id integer not null,
  info_text varchar,
  PRIMARY KEY(change_id)
);

CREATE TABLE lpp (
  lpp_id integer not null,
  lpp_group_id integer not null,
  lpp_name varchar(63) not null,
  lpp_version integer not null,
  lpp_flags integer not null,
  PRIMARY KEY(lpp_id)
);

CREATE TABLE lpp_associations (
  lpp_id integer not null,
  node_id integer not null,
  log_file varchar(255) not null
);

CREATE TABLE lpp_rulesets (
  ruleset_id integer not null,
  ruleset_name varchar(63),
  PRIMARY KEY(ruleset_id)
);

CREATE TABLE lpp_rules (
  lpp_id integer not null,
  rule_number integer not null,
  ruleset_id integer not null,
  msg_id_start integer not null,
  msg_id_end integer not null,
  severity integer not null,
  source_name varchar(255) not null,
  msg_text_regexp varchar(255) not null,
  event_code integer not null,
  PRIMARY KEY(lpp_id,rule_number)
);

CREATE TABLE lpp_groups (
  lpp_group_id integer not null,
  lpp_group_name varchar(63) not null,
  parent_group integer not null,
  PRIMARY KEY(lpp_group_id)
);

CREATE TABLE images (
  image_id integer not null,
  name varchar(63) not null,
  file_name_png varchar(255) not null,
  file_hash_png varchar(32) not null,
  file_name_ico varchar(255) not null,
  file_hash_ico varchar(32) not null,
  PRIMARY KEY(image_id)
);

CREATE TABLE default_images (
  object_class integer not null,
  image_id integer not null,
  PRIMARY KEY(object_class)
);

CREATE INDEX idx_raw_dci_values_item_id ON raw_dci_values(item_id);
CREATE INDEX idx_event_log_event_timestamp ON event_log(event_timestamp);
CREATE INDEX idx_thresholds_item_id ON thresholds(item_id);
CREATE INDEX idx_thresholds_sequence ON thresholds(sequence_number);
CREATE INDEX idx_alarm_notes_alarm_id ON alarm_notes(alarm_id);
CREATE INDEX idx_syslog_msg_timestamp ON syslog(msg_timestamp);
CREATE INDEX idx_snmp_trap_log_trap_timestamp ON snmp_trap_log(trap_timestamp);
CREATE INDEX idx_address_lists_list_type ON address_lists(list_type);

INSERT INTO config (var_name,var_value,is_visible,need_server_restart) VALUES ('DBFormatVersion','63',0,1);
INSERT INTO config (var_name,var_value,is_visible,need_server_restart) VALUES ('DBSyntax','SQLITE',0,1);
INSERT INTO config (var_name,var_value,is_visible,need_server_restart) VALUES ('IDataTableCreationCommand','CREATE TABLE idata_#25d (item_id integer not null,idata_timestamp integer not null,idata_value varchar(255))',0,1);
INSERT INTO config (var_name,var_value,is_visible,need_server_restart) VALUES ('IDataIndexCreationCommand_0','CREATE INDEX idx_idata_#25d_item_id ON idata_#25d(item_id)',0,1);
INSERT INTO config (var_name,var_value,is_visible,need_server_restart) VALUES ('IDataIndexCreationCommand_1','CREATE INDEX idx_idata_#25d_timestamp_id ON idata_#25d(idata_timestamp,item_id)',0,1);
INSERT INTO config (var_name,var_value,is_visible,need_server_restart) VALUES ('DBLockStatus','UNLOCKED',0,0);
INSERT INTO config (var_name,var_value,is_visible,need_server_restart) VALUES ('EventLogRetentionTime','5184000',1,0);
INSERT INTO config (var_name,var_value,is_visible,need_server_restart) VALUES ('SyslogRetentionTime','86399',1,0);
INSERT INTO config (var_name,var_value,is_visible,need_server_restart) VALUES ('NumberOfEventProcessors','1',1,1);
INSERT INTO config (var_name,var_value,is_visible,need_server_restart) VALUES ('EventStormThreshold','500',1,1);
INSERT INTO config (var_name,var_value,is_visible,need_server_restart) VALUES ('ThresholdRepeatInterval','3600',1,1);
INSERT INTO config (var_name,var_value,is_visible,need_server_restart) VALUES ('RetainCustomInterfaceNames','1',1,0);

INSERT INTO nodes (id,primary_ip,snmp_version,community,auth_method,secret,agent_port,status_poll_type,snmp_oid,agent_version,platform_name,poller_node_id,node_flags,zone_guid,proxy_node,snmp_proxy) VALUES (10,'10.0.0.1',1,'public',0,'#00',4700,1,'.1.3.6.1.4.1.8072','','',0,0,0,0,0);
INSERT INTO nodes (id,primary_ip,snmp_version,community,auth_method,secret,agent_port,status_poll_type,snmp_oid,agent_version,platform_name,poller_node_id,node_flags,zone_guid,proxy_node,snmp_proxy) VALUES (11,'10.0.0.2',2,'priv#27ate',0,'#00',4700,1,'.1.3.6.1.4.1.9','','',0,0,0,0,0);

INSERT INTO object_properties (object_id,name,status,is_deleted,last_modified,inherit_access_rights,status_calc_alg,status_prop_alg,status_fixed_val,status_shift,status_translation,status_single_threshold,status_thresholds,comments,is_system,image_id) VALUES (1,'Entire Network',0,0,0,1,0,0,0,0,'',0,'','#00',0,0);
INSERT INTO object_properties (object_id,name,status,is_deleted,last_modified,inherit_access_rights,status_calc_alg,status_prop_alg,status_fixed_val,status_shift,status_translation,status_single_threshold,status_thresholds,comments,is_system,image_id) VALUES (2,'Infrastructure Services',0,0,0,1,0,0,0,0,'',0,'','plain comment',0,0);
INSERT INTO object_properties (object_id,name,status,is_deleted,last_modified,inherit_access_rights,status_calc_alg,status_prop_alg,status_fixed_val,status_shift,status_translation,status_single_threshold,status_thresholds,comments,is_system,image_id) VALUES (10,'node#2Done',0,0,0,1,0,0,0,0,'',0,'','Rack 4#0D#0Ashelf #23 2, it#27s #22hot#22',0,0);
INSERT INTO object_properties (object_id,name,status,is_deleted,last_modified,inherit_access_rights,status_calc_alg,status_prop_alg,status_fixed_val,status_shift,status_translation,status_single_threshold,status_thresholds,comments,is_system,image_id) VALUES (11,'node-two',0,0,0,1,0,0,0,0,'',0,'','C:#5Cpath',0,0);
INSERT INTO object_properties (object_id,name,status,is_deleted,last_modified,inherit_access_rights,status_calc_alg,status_prop_alg,status_fixed_val,status_shift,status_translation,status_single_threshold,status_thresholds,comments,is_system,image_id) VALUES (20,'eth0',0,0,0,1,0,0,0,0,'',0,'','#00',0,0);
INSERT INTO object_properties (object_id,name,status,is_deleted,last_modified,inherit_access_rights,status_calc_alg,status_prop_alg,status_fixed_val,status_shift,status_translation,status_single_threshold,status_thresholds,comments,is_system,image_id) VALUES (30,'10.0.0.0',0,0,0,1,0,0,0,0,'',0,'','#00',0,0);
INSERT INTO object_properties (object_id,name,status,is_deleted,last_modified,inherit_access_rights,status_calc_alg,status_prop_alg,status_fixed_val,status_shift,status_translation,status_single_threshold,status_thresholds,comments,is_system,image_id) VALUES (40,'http',0,0,0,1,0,0,0,0,'',0,'','#00',0,0);

INSERT INTO interfaces (id,node_id,ip_addr,ip_netmask,mac_addr,if_type,if_index) VALUES (20,10,'10.0.0.1','255.255.255.0','000000000001',6,1);

INSERT INTO subnets (id,ip_addr,ip_netmask,zone_guid) VALUES (30,'10.0.0.0','255.255.255.0',0);

INSERT INTO network_services (id,node_id,service_type,ip_bind_addr,ip_proto,ip_port,check_request,check_responce,poller_node_id) VALUES (40,10,1,'10.0.0.1',6,80,'GET /','#00',0);

INSERT INTO submap_links (map_id,submap_id,object_id1,object_id2,link_type) VALUES (1,1,10,11,0);

INSERT INTO thresholds (threshold_id,item_id,sequence_number,fire_value,rearm_value,check_function,check_operation,parameter_1,parameter_2,event_code,current_state,rearm_event_code) VALUES (1,100,0,'90','#00',0,0,0,0,17,0,0);

INSERT INTO items (item_id,node_id,template_id,name,description,source,datatype,polling_interval,retention_time,status,delta_calculation,transformation,instance,template_item_id,adv_schedule,all_thresholds,resource_id) VALUES (100,10,0,'Agent.Uptime','Uptime',1,1,60,30,0,0,'#00','#00',0,0,0,0);
INSERT INTO items (item_id,node_id,template_id,name,description,source,datatype,polling_interval,retention_time,status,delta_calculation,transformation,instance,template_item_id,adv_schedule,all_thresholds,resource_id) VALUES (101,10,0,'Agent.Version','Version',1,4,60,30,0,0,'#00','#00',0,0,0,0);

INSERT INTO dci_schedules (item_id,schedule) VALUES (100,'*/5 * * * *');
INSERT INTO dci_schedules (item_id,schedule) VALUES (100,'0 3 * * *');
INSERT INTO dci_schedules (item_id,schedule) VALUES (101,'#2A/10 * * * *');

INSERT INTO conditions (id,activation_event,deactivation_event,source_object,active_status,inactive_status,script) VALUES (60,0,0,0,0,0,'return 1;');
INSERT INTO conditions (id,activation_event,deactivation_event,source_object,active_status,inactive_status,script) VALUES (61,0,0,0,0,0,'#00');

INSERT INTO cond_dci_map (condition_id,dci_id,node_id,dci_func,num_polls) VALUES (5,100,10,0,1);
INSERT INTO cond_dci_map (condition_id,dci_id,node_id,dci_func,num_polls) VALUES (5,101,10,1,2);
INSERT INTO cond_dci_map (condition_id,dci_id,node_id,dci_func,num_polls) VALUES (7,100,10,2,3);

INSERT INTO address_lists (list_type,addr_type,addr1,addr2) VALUES (1,0,'10.0.0.0','255.0.0.0');
INSERT INTO address_lists (list_type,addr_type,addr1,addr2) VALUES (1,0,'10.0.0.0','255.0.0.0');
INSERT INTO address_lists (list_type,addr_type,addr1,addr2) VALUES (2,1,'192.168.0.1','192.168.0.9');

INSERT INTO snmp_trap_cfg (trap_id,snmp_oid,description,event_code) VALUES (1,'.1.3.6.1.6.3.1.1.5.1','Cold start',500);

INSERT INTO event_cfg (event_code,event_name,severity,flags,message,description) VALUES (1,'SYS_NODE_ADDED',0,1,'Node added','Generated when new node object added to the database.');
INSERT INTO event_cfg (event_code,event_name,severity,flags,message,description) VALUES (17,'SYS_THRESHOLD_REACHED',1,1,'Threshold reached','#00');

INSERT INTO event_log (event_id,event_code,event_timestamp,event_source,event_severity,event_message,root_event_id) VALUES (1,1,1000,10,0,'Node #2210.0.0.1#22 added',0);
INSERT INTO event_log (event_id,event_code,event_timestamp,event_source,event_severity,event_message,root_event_id) VALUES (2,1,1001,10,0,'#00',0);
INSERT INTO event_log (event_id,event_code,event_timestamp,event_source,event_severity,event_message,root_event_id) VALUES (5000000000,17,1002,10,1,'100#25 load#0D#0Aon #5Cdev#5Csda',1);
INSERT INTO event_log (event_id,event_code,event_timestamp,event_source,event_severity,event_message,root_event_id) VALUES (5000000001,17,1003,10,1,'plain message',0);

INSERT INTO event_policy (rule_id,flags,comments,alarm_message,alarm_severity,alarm_key,script,alarm_timeout,alarm_timeout_event) VALUES (1,7,'Show all events','%m',5,'#00','#00',0,43);

INSERT INTO alarms (alarm_id,message,source_object_id,alarm_key,ack_by,source_event_code,source_event_id,alarm_state,hd_state,hd_ref,creation_time,last_change_time,original_severity,current_severity,repeat_count,term_by,timeout,timeout_event) VALUES (1,'#00',10,'#00',0,1,1,0,0,'#00',0,0,0,0,1,0,600,17);
INSERT INTO alarms (alarm_id,message,source_object_id,alarm_key,ack_by,source_event_code,source_event_id,alarm_state,hd_state,hd_ref,creation_time,last_change_time,original_severity,current_severity,repeat_count,term_by,timeout,timeout_event) VALUES (2,'Node #2210.0.0.1#22 is down: it#27s 100#25 lost#0D#0Aback#5Cslash',10,'NODE_DOWN#2310',0,1,2,0,1,'HD#2D7',0,0,4,4,1,0,0,0);
INSERT INTO alarms (alarm_id,message,source_object_id,alarm_key,ack_by,source_event_code,source_event_id,alarm_state,hd_state,hd_ref,creation_time,last_change_time,original_severity,current_severity,repeat_count,term_by,timeout,timeout_event) VALUES (3,'plain text',10,'plain key',0,1,3,0,0,'plain',0,0,4,4,1,0,0,0);

INSERT INTO syslog (msg_id,msg_timestamp,facility,severity,source_object_id,hostname,msg_tag,msg_text) VALUES (1,1000,1,6,10,'host1','sshd','Accepted key for #27root#27');
INSERT INTO syslog (msg_id,msg_timestamp,facility,severity,source_object_id,hostname,msg_tag,msg_text) VALUES (5000000002,1001,1,6,10,'host1','kernel','#00');
INSERT INTO syslog (msg_id,msg_timestamp,facility,severity,source_object_id,hostname,msg_tag,msg_text) VALUES (5000000003,1002,1,6,10,'host1','kernel','plain');

INSERT INTO snmp_trap_log (trap_id,trap_timestamp,ip_addr,object_id,trap_oid,trap_varlist) VALUES (1,1000,'10.0.0.1',10,'.1.3.6.1.6.3.1.1.5.1','#00');
INSERT INTO snmp_trap_log (trap_id,trap_timestamp,ip_addr,object_id,trap_oid,trap_varlist) VALUES (5000000004,1001,'10.0.0.1',10,'.1.3.6.1.6.3.1.1.5.3','ifIndex == 1#0D#0AifDescr == #22eth0#22');

INSERT INTO oid_to_type (pair_id,snmp_oid,node_type,node_flags) VALUES (1,'.1.3.6.1.4.1.9.1.*',2,0);

INSERT INTO templates (id,version) VALUES (3,1);

INSERT INTO containers (id,category) VALUES (50,1);

INSERT INTO cluster_resources (cluster_id,resource_id,resource_name,ip_addr) VALUES (70,1,'Shared address','10.0.0.9');

INSERT INTO object_tools (tool_id,tool_name,tool_type,tool_data,description,flags,matching_oid,confirmation_text) VALUES (1,'&Shutdown system',1,'System.Shutdown','Shutdown target node via agent',12,'#00','Node %OBJECT_NAME% will be shut down. Are you sure?');

INSERT INTO object_tools_acl (tool_id,user_id) VALUES (1,-2147483648);

INSERT INTO modules (module_id,module_name,exec_name,module_flags,description,license_key) VALUES (1,'CORE','#00',1,'#00','#00');

INSERT INTO alarm_grops (alarm_group_id,group_name) VALUES (1,'Default');

INSERT INTO alarm_change_log (change_id,change_time,alarm_id,opcode,user_id,info_text) VALUES (1,1000,2,0,0,'#00');

INSERT INTO lpp (lpp_id,lpp_group_id,lpp_name,lpp_version,lpp_flags) VALUES (1,0,'Windows',1,0);

INSERT INTO images (image_id,name,file_name_png,file_hash_png,file_name_ico,file_hash_ico) VALUES (1,'Node','node.png','00','node.ico','00');

INSERT INTO default_images (object_class,image_id) VALUES (2,1);

INSERT INTO users (id,name,password,flags,full_name,description,system_access,grace_logins,guid,auth_method,cert_mapping_method,cert_mapping_data) VALUES (0,'admin','3A445C8AEFF26C1B46F5D9D9C2E35DAA6F8F4B69',0,'#00','Built-in system administrator account',1048575,5,'00000000-0000-0000-0000-000000000001',0,0,'#00');
INSERT INTO users (id,name,password,flags,full_name,description,system_access,grace_logins,guid,auth_method,cert_mapping_method,cert_mapping_data) VALUES (1,'guest','3A445C8AEFF26C1B46F5D9D9C2E35DAA6F8F4B69',0,'#00','#00',0,5,'00000000-0000-0000-0000-000000000002',0,0,'#00');

CREATE TABLE idata_10 (item_id integer not null,idata_timestamp integer not null,idata_value varchar(255));
CREATE INDEX idx_idata_10_item_id ON idata_10(item_id);
CREATE INDEX idx_idata_10_timestamp_id ON idata_10(idata_timestamp,item_id);

CREATE TABLE idata_11 (item_id integer not null,idata_timestamp integer not null,idata_value varchar(255));
CREATE INDEX idx_idata_11_item_id ON idata_11(item_id);
CREATE INDEX idx_idata_11_timestamp_id ON idata_11(idata_timestamp,item_id);

UPDATE users SET cert_mapping_data=NULL WHERE id=1;
UPDATE network_services SET check_responce=NULL;
