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
  access integer not null,
  flags integer not null,
  full_name varchar(127),
  description varchar(255),
  PRIMARY KEY(id)
);

CREATE TABLE user_groups (
  id integer not null,
  name varchar(63) not null,
  access integer not null,
  flags integer not null,
  description varchar(255),
  PRIMARY KEY(id)
);

CREATE TABLE user_group_members (
  group_id integer not null,
  user_id integer not null,
  PRIMARY KEY(group_id,user_id)
);

CREATE TABLE nodes (
  id integer not null,
  name varchar(63),
  status integer,
  is_deleted integer,
  primary_ip varchar(15) not null,
  is_snmp integer,
  is_agent integer,
  is_bridge integer,
  is_router integer,
  snmp_version integer not null,
  community varchar(32) not null,
  auth_method integer not null,
  secret varchar(64) not null,
  agent_port integer not null,
  status_poll_type integer not null,
  snmp_oid varchar(255) not null,
  is_local_mgmt integer,
  discovery_flags integer,
  inherit_access_rights integer,
  image_id integer,
  description varchar,
  PRIMARY KEY(id)
);

CREATE TABLE subnets (
  id integer not null,
  name varchar(63),
  status integer,
  is_deleted integer,
  ip_addr varchar(15) not null,
  ip_netmask varchar(15) not null,
  image_id integer,
  PRIMARY KEY(id)
);

CREATE TABLE interfaces (
  id integer not null,
  name varchar(63),
  status integer,
  is_deleted integer,
  node_id integer not null,
  ip_addr varchar(15) not null,
  ip_netmask varchar(15) not null,
  mac_addr varchar(16) not null,
  if_type integer not null,
  if_index integer not null,
  image_id integer,
  PRIMARY KEY(id)
);

CREATE TABLE containers (
  id integer not null,
  name varchar(63),
  status integer,
  is_deleted integer,
  category integer not null,
  image_id integer,
  description varchar,
  PRIMARY KEY(id)
);

CREATE TABLE templates (
  id integer not null,
  name varchar(63),
  is_deleted integer,
  version integer not null,
  image_id integer,
  description varchar,
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

CREATE TABLE access_options (
  object_id integer not null,
  inherit_rights integer not null,
  PRIMARY KEY(object_id)
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
  PRIMARY KEY(threshold_id)
);

CREATE TABLE events (
  event_id integer not null,
  name varchar(63) not null,
  severity integer,
  flags integer,
  message varchar(255),
  description varchar,
  PRIMARY KEY(event_id)
);

CREATE TABLE event_log (
  event_id integer not null,
  event_timestamp integer,
  event_source integer,
  event_severity integer,
  event_message varchar(255),
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
  PRIMARY KEY(id)
);

CREATE TABLE event_group_members (
  group_id integer not null,
  event_id integer not null,
  PRIMARY KEY(group_id,event_id)
);

CREATE TABLE event_policy (
  rule_id integer not null,
  flags integer not null,
  comments varchar,
  alarm_message varchar(255),
  alarm_severity integer,
  alarm_key varchar(255),
  alarm_ack_key varchar(255),
  PRIMARY KEY(rule_id)
);

CREATE TABLE policy_source_list (
  rule_id integer not null,
  object_id integer not null,
  PRIMARY KEY(rule_id,object_id)
);

CREATE TABLE policy_event_list (
  rule_id integer not null,
  event_id integer not null,
  PRIMARY KEY(rule_id,event_id)
);

CREATE TABLE policy_action_list (
  rule_id integer not null,
  action_id integer not null,
  PRIMARY KEY(rule_id,action_id)
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
  alarm_timestamp integer,
  source_object_id integer,
  source_event_id integer,
  message varchar(255),
  severity integer,
  alarm_key varchar(255),
  is_ack integer,
  ack_by integer,
  PRIMARY KEY(alarm_id)
);

CREATE TABLE alarm_notes (
  note_id integer not null,
  alarm_id integer not null,
  note_text varchar(255),
  PRIMARY KEY(note_id)
);

CREATE TABLE oid_to_type (
  pair_id integer not null,
  snmp_oid varchar(255) not null,
  node_type integer not null,
  node_flags integer not null,
  PRIMARY KEY(pair_id)
);

CREATE TABLE locks (
  component_id integer not null,
  lock_status integer not null,
  owner_info varchar(255),
  PRIMARY KEY(component_id)
);

CREATE TABLE new_nodes (
  id integer not null,
  ip_addr varchar(15) not null,
  ip_netmask varchar(15) not null,
  discovery_flags integer not null,
  PRIMARY KEY(id)
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

CREATE TABLE idata_10 (
  item_id integer not null,
  idata_timestamp integer not null,
  idata_value varchar(255)
);

CREATE TABLE idata_11 (
  item_id integer not null,
  idata_timestamp integer not null,
  idata_value varchar(255)
);

CREATE TABLE idata_12 (
  item_id integer not null,
  idata_timestamp integer not null,
  idata_value varchar(255)
);

CREATE TABLE idata_13 (
  item_id integer not null,
  idata_timestamp integer not null,
  idata_value varchar(255)
);

CREATE TABLE idata_14 (
  item_id integer not null,
  idata_timestamp integer not null,
  idata_value varchar(255)
);

CREATE TABLE idata_15 (
  item_id integer not null,
  idata_timestamp integer not null,
  idata_value varchar(255)
);

CREATE TABLE idata_16 (
  item_id integer not null,
  idata_timestamp integer not null,
  idata_value varchar(255)
);

INSERT INTO config (var_name,var_value,is_visible,need_server_restart) VALUES ('DBFormatVersion','14',0,1);
INSERT INTO config (var_name,var_value,is_visible,need_server_restart) VALUES ('DBSyntax','SQLITE',0,1);
INSERT INTO config (var_name,var_value,is_visible,need_server_restart) VALUES ('IDataTableCreationCommand','CREATE TABLE idata_#25d (item_id integer not null,idata_timestamp integer not null,idata_value varchar(255))',0,1);
INSERT INTO config (var_name,var_value,is_visible,need_server_restart) VALUES ('TopologyRootObjectName','Entire Network',1,0);
INSERT INTO config (var_name,var_value,is_visible,need_server_restart) VALUES ('TopologyRootImageId','1',1,0);
INSERT INTO config (var_name,var_value,is_visible,need_server_restart) VALUES ('ServiceRootObjectName','Operator#27s Services',1,0);
INSERT INTO config (var_name,var_value,is_visible,need_server_restart) VALUES ('ServiceRootImageId','2',1,0);
INSERT INTO config (var_name,var_value,is_visible,need_server_restart) VALUES ('NewNodePollingInterval','60',1,1);
INSERT INTO config (var_name,var_value,is_visible,need_server_restart) VALUES ('EnableAccessControl','1',1,1);
INSERT INTO config (var_name,var_value,is_visible,need_server_restart) VALUES ('EnableEventAccessControl','1',1,1);
INSERT INTO config (var_name,var_value,is_visible,need_server_restart) VALUES ('NumberOfEventProcessors','1',1,1);
INSERT INTO config (var_name,var_value,is_visible,need_server_restart) VALUES ('EventLogRetentionTime','5184000',1,0);

INSERT INTO users (id,name,password,access,flags,full_name,description) VALUES (0,'admin','DA39A3EE5E6B4B0D3255BFEF95601890AFD80709',65535,0,'Administrator','Built-in system administrator account');
INSERT INTO users (id,name,password,access,flags,full_name,description) VALUES (1,'operator','DA39A3EE5E6B4B0D3255BFEF95601890AFD80709',1,0,'Night operator','Watches the #22core#22 routers');
INSERT INTO users (id,name,password,access,flags,full_name,description) VALUES (2,'guest','DA39A3EE5E6B4B0D3255BFEF95601890AFD80709',0,1,'','');

INSERT INTO user_groups (id,name,access,flags,description) VALUES (-2147483648,'Everyone',0,0,'Built-in everyone group');
INSERT INTO user_groups (id,name,access,flags,description) VALUES (-2147483647,'Operators',1,0,'Network operators');

INSERT INTO user_group_members (group_id,user_id) VALUES (-2147483647,1);

INSERT INTO nodes (id,name,status,is_deleted,primary_ip,is_snmp,is_agent,is_bridge,is_router,snmp_version,community,auth_method,secret,agent_port,status_poll_type,snmp_oid,is_local_mgmt,discovery_flags,inherit_access_rights,image_id,description) VALUES (10,'Operator#27s gateway',0,0,'10.0.0.1',1,1,0,0,1,'public',0,'',4700,0,'.1.3.6.1.4.1.9.1.1',0,0,1,0,'Core gateway');
INSERT INTO nodes (id,name,status,is_deleted,primary_ip,is_snmp,is_agent,is_bridge,is_router,snmp_version,community,auth_method,secret,agent_port,status_poll_type,snmp_oid,is_local_mgmt,discovery_flags,inherit_access_rights,image_id,description) VALUES (11,'server-1',0,0,'10.0.0.2',1,1,1,1,1,'public',0,'',4700,0,'.1.3.6.1.4.1.8072.3.2.10',1,0,1,0,'#00');
INSERT INTO nodes (id,name,status,is_deleted,primary_ip,is_snmp,is_agent,is_bridge,is_router,snmp_version,community,auth_method,secret,agent_port,status_poll_type,snmp_oid,is_local_mgmt,discovery_flags,inherit_access_rights,image_id,description) VALUES (12,'switch-1',1,0,'10.0.0.3',0,0,2,0,1,'public',0,'',4700,0,'.1.3.6.1.4.1.9.1.2',0,0,0,0,'#00');
INSERT INTO nodes (id,name,status,is_deleted,primary_ip,is_snmp,is_agent,is_bridge,is_router,snmp_version,community,auth_method,secret,agent_port,status_poll_type,snmp_oid,is_local_mgmt,discovery_flags,inherit_access_rights,image_id,description) VALUES (13,'old-router',0,1,'10.0.0.4',0,0,0,1,1,'public',0,'',4700,0,'.1.3.6.1.4.1.9.1.3',0,0,1,0,'#00');
INSERT INTO nodes (id,name,status,is_deleted,primary_ip,is_snmp,is_agent,is_bridge,is_router,snmp_version,community,auth_method,secret,agent_port,status_poll_type,snmp_oid,is_local_mgmt,discovery_flags,inherit_access_rights,image_id,description) VALUES (14,'mgmt-station',0,0,'10.0.0.5',0,0,0,0,1,'public',0,'',4700,0,'',1,0,1,0,'#00');
INSERT INTO nodes (id,name,status,is_deleted,primary_ip,is_snmp,is_agent,is_bridge,is_router,snmp_version,community,auth_method,secret,agent_port,status_poll_type,snmp_oid,is_local_mgmt,discovery_flags,inherit_access_rights,image_id,description) VALUES (15,'printer #2331',2,0,'10.0.0.6',0,0,0,0,1,'public',0,'',4700,0,'',0,0,1,0,'#00');
INSERT INTO nodes (id,name,status,is_deleted,primary_ip,is_snmp,is_agent,is_bridge,is_router,snmp_version,community,auth_method,secret,agent_port,status_poll_type,snmp_oid,is_local_mgmt,discovery_flags,inherit_access_rights,image_id,description) VALUES (16,'retired-host',0,1,'10.0.0.7',0,1,0,0,1,'public',0,'',4700,0,'',0,0,1,0,'#00');

INSERT INTO subnets (id,name,status,is_deleted,ip_addr,ip_netmask,image_id) VALUES (30,'10.0.0.0',0,0,'10.0.0.0','255.255.255.0',0);
INSERT INTO subnets (id,name,status,is_deleted,ip_addr,ip_netmask,image_id) VALUES (31,'10.1.0.0',0,0,'10.1.0.0','255.255.0.0',0);

INSERT INTO interfaces (id,name,status,is_deleted,node_id,ip_addr,ip_netmask,mac_addr,if_type,if_index,image_id) VALUES (20,'eth0',0,0,10,'10.0.0.1','255.255.255.0','00A0C9000001',6,1,0);
INSERT INTO interfaces (id,name,status,is_deleted,node_id,ip_addr,ip_netmask,mac_addr,if_type,if_index,image_id) VALUES (21,'eth0',0,0,11,'10.0.0.2','255.255.255.0','00A0C9000002',6,1,0);
INSERT INTO interfaces (id,name,status,is_deleted,node_id,ip_addr,ip_netmask,mac_addr,if_type,if_index,image_id) VALUES (22,'Serial0/0',0,1,12,'10.0.0.3','255.255.255.0','00A0C9000004',22,2,0);
INSERT INTO interfaces (id,name,status,is_deleted,node_id,ip_addr,ip_netmask,mac_addr,if_type,if_index,image_id) VALUES (23,'eth1',1,0,11,'10.1.0.2','255.255.0.0','00A0C9000003',6,2,0);

INSERT INTO templates (id,name,is_deleted,version,image_id,description) VALUES (40,'Unix servers',0,1,0,'#00');
INSERT INTO templates (id,name,is_deleted,version,image_id,description) VALUES (41,'Routers#2C switches',0,3,0,'#00');

INSERT INTO containers (id,name,status,is_deleted,category,image_id,description) VALUES (50,'Servers',0,0,1,0,'#00');
INSERT INTO containers (id,name,status,is_deleted,category,image_id,description) VALUES (51,'Lab',0,0,1,0,'Test equipment');

INSERT INTO container_categories (category,name,image_id,description) VALUES (1,'Default',0,'#00');

INSERT INTO container_members (container_id,object_id) VALUES (50,11);
INSERT INTO container_members (container_id,object_id) VALUES (51,15);

INSERT INTO dct_node_map (template_id,node_id) VALUES (40,11);

INSERT INTO nsmap (subnet_id,node_id) VALUES (30,10);
INSERT INTO nsmap (subnet_id,node_id) VALUES (30,11);
INSERT INTO nsmap (subnet_id,node_id) VALUES (30,12);
INSERT INTO nsmap (subnet_id,node_id) VALUES (30,14);
INSERT INTO nsmap (subnet_id,node_id) VALUES (31,11);

INSERT INTO acl (object_id,user_id,access_rights) VALUES (1,0,65535);
INSERT INTO acl (object_id,user_id,access_rights) VALUES (2,0,65535);
INSERT INTO acl (object_id,user_id,access_rights) VALUES (3,0,65535);
INSERT INTO acl (object_id,user_id,access_rights) VALUES (10,-2147483647,3);

INSERT INTO access_options (object_id,inherit_rights) VALUES (1,0);
INSERT INTO access_options (object_id,inherit_rights) VALUES (2,1);
INSERT INTO access_options (object_id,inherit_rights) VALUES (10,1);
INSERT INTO access_options (object_id,inherit_rights) VALUES (11,0);
INSERT INTO access_options (object_id,inherit_rights) VALUES (12,2);
INSERT INTO access_options (object_id,inherit_rights) VALUES (13,1);
INSERT INTO access_options (object_id,inherit_rights) VALUES (15,1);
INSERT INTO access_options (object_id,inherit_rights) VALUES (20,1);
INSERT INTO access_options (object_id,inherit_rights) VALUES (21,1);
INSERT INTO access_options (object_id,inherit_rights) VALUES (22,1);
INSERT INTO access_options (object_id,inherit_rights) VALUES (30,1);
INSERT INTO access_options (object_id,inherit_rights) VALUES (40,0);
INSERT INTO access_options (object_id,inherit_rights) VALUES (50,1);

INSERT INTO items (item_id,node_id,template_id,name,description,source,datatype,polling_interval,retention_time,status,delta_calculation,transformation) VALUES (100,10,0,'Agent.Uptime','Agent uptime',1,0,60,30,0,0,'#00');
INSERT INTO items (item_id,node_id,template_id,name,description,source,datatype,polling_interval,retention_time,status,delta_calculation,transformation) VALUES (101,10,0,'System.CPU.Usage','CPU usage #28%#29',1,5,60,30,0,0,'#00');
INSERT INTO items (item_id,node_id,template_id,name,description,source,datatype,polling_interval,retention_time,status,delta_calculation,transformation) VALUES (102,11,0,'Disk.Free(/)','Free space on #27/#27',1,1,300,90,0,0,'#00');
INSERT INTO items (item_id,node_id,template_id,name,description,source,datatype,polling_interval,retention_time,status,delta_calculation,transformation) VALUES (103,0,40,'System.Uname','Host name',1,4,3600,30,0,0,'#00');
INSERT INTO items (item_id,node_id,template_id,name,description,source,datatype,polling_interval,retention_time,status,delta_calculation,transformation) VALUES (104,12,0,'.1.3.6.1.2.1.1.3.0','SNMP uptime',2,0,60,30,1,0,'#00');

INSERT INTO thresholds (threshold_id,item_id,sequence_number,fire_value,rearm_value,check_function,check_operation,parameter_1,parameter_2,event_code) VALUES (1,101,0,'90','80',0,4,0,0,4000);
INSERT INTO thresholds (threshold_id,item_id,sequence_number,fire_value,rearm_value,check_function,check_operation,parameter_1,parameter_2,event_code) VALUES (2,101,1,'99','95',0,4,0,0,4000);
INSERT INTO thresholds (threshold_id,item_id,sequence_number,fire_value,rearm_value,check_function,check_operation,parameter_1,parameter_2,event_code) VALUES (3,102,0,'1000000','#00',0,1,0,0,17);

INSERT INTO events (event_id,name,severity,flags,message,description) VALUES (1,'SYS_NODE_ADDED',0,1,'Node added','Generated when new node object added to the database.#0D#0AParameters:#0D#0A   No event-specific parameters');
INSERT INTO events (event_id,name,severity,flags,message,description) VALUES (17,'SYS_THRESHOLD_REACHED',1,1,'Threshold reached for #22%2#22','Old description');
INSERT INTO events (event_id,name,severity,flags,message,description) VALUES (18,'SYS_THRESHOLD_REARMED',0,1,'Threshold rearmed for #22%2#22','Old description');
INSERT INTO events (event_id,name,severity,flags,message,description) VALUES (4000,'DC_THRESHOLD',2,1,'Threshold value %3 exceeded by %4','Old description');

INSERT INTO event_log (event_id,event_timestamp,event_source,event_severity,event_message) VALUES (1,1100000000,10,0,'Node added');
INSERT INTO event_log (event_id,event_timestamp,event_source,event_severity,event_message) VALUES (2,1100000060,11,1,'Threshold reached for #22CPU#22');

INSERT INTO actions (action_id,action_name,action_type,is_disabled,rcpt_addr,email_subject,action_data) VALUES (1,'Mail operator',2,0,'noc@example.com','Alarm on %n','%m');

INSERT INTO event_groups (id,name,description) VALUES (-2147483647,'Threshold events','#00');

INSERT INTO event_group_members (group_id,event_id) VALUES (-2147483647,17);
INSERT INTO event_group_members (group_id,event_id) VALUES (-2147483647,18);

INSERT INTO event_policy (rule_id,flags,comments,alarm_message,alarm_severity,alarm_key,alarm_ack_key) VALUES (1,7944,'Thresholds','%m',5,'THR_%i','#00');
INSERT INTO event_policy (rule_id,flags,comments,alarm_message,alarm_severity,alarm_key,alarm_ack_key) VALUES (2,7944,'Acknowledge thresholds','%m',6,'#00','THR_%i');

INSERT INTO policy_event_list (rule_id,event_id) VALUES (1,17);
INSERT INTO policy_event_list (rule_id,event_id) VALUES (1,4000);
INSERT INTO policy_event_list (rule_id,event_id) VALUES (2,18);

INSERT INTO policy_source_list (rule_id,object_id) VALUES (1,10);

INSERT INTO policy_action_list (rule_id,action_id) VALUES (1,1);

INSERT INTO deleted_objects (object_id,object_class,name,ip_addr,ip_netmask) VALUES (9,2,'removed-host','10.0.0.9','255.255.255.0');

INSERT INTO alarms (alarm_id,alarm_timestamp,source_object_id,source_event_id,message,severity,alarm_key,is_ack,ack_by) VALUES (1,1100000100,10,17,'Threshold reached for #22CPU#22',3,'THR_101',0,0);
INSERT INTO alarms (alarm_id,alarm_timestamp,source_object_id,source_event_id,message,severity,alarm_key,is_ack,ack_by) VALUES (2,1100000200,11,4000,'Disk #27/#27 nearly full',2,'#00',1,1);

INSERT INTO alarm_notes (note_id,alarm_id,note_text) VALUES (1,1,'Looking into it');

INSERT INTO locks (component_id,lock_status,owner_info) VALUES (0,-1,'#00');

INSERT INTO new_nodes (id,ip_addr,ip_netmask,discovery_flags) VALUES (1,'10.0.0.8','255.255.255.0',0);

INSERT INTO images (image_id,name,file_name_png,file_hash_png,file_name_ico,file_hash_ico) VALUES (1,'Obj.Network','network.png','<invalid_hash>','network.ico','<invalid_hash>');
INSERT INTO images (image_id,name,file_name_png,file_hash_png,file_name_ico,file_hash_ico) VALUES (2,'Obj.Subnet','subnet.png','<invalid_hash>','subnet.ico','<invalid_hash>');
INSERT INTO images (image_id,name,file_name_png,file_hash_png,file_name_ico,file_hash_ico) VALUES (3,'Obj.Node','node.png','<invalid_hash>','node.ico','<invalid_hash>');
INSERT INTO images (image_id,name,file_name_png,file_hash_png,file_name_ico,file_hash_ico) VALUES (4,'Obj.Interface','interface.png','<invalid_hash>','interface.ico','<invalid_hash>');

INSERT INTO default_images (object_class,image_id) VALUES (1,2);
INSERT INTO default_images (object_class,image_id) VALUES (2,3);
INSERT INTO default_images (object_class,image_id) VALUES (3,4);
INSERT INTO default_images (object_class,image_id) VALUES (4,1);

INSERT INTO idata_10 (item_id,idata_timestamp,idata_value) VALUES (100,1100000000,'3600');
INSERT INTO idata_10 (item_id,idata_timestamp,idata_value) VALUES (100,1100000060,'3660');
INSERT INTO idata_10 (item_id,idata_timestamp,idata_value) VALUES (101,1100000000,'12.5');

INSERT INTO idata_11 (item_id,idata_timestamp,idata_value) VALUES (102,1100000000,'52000000');

INSERT INTO idata_12 (item_id,idata_timestamp,idata_value) VALUES (104,1100000000,'100');

INSERT INTO idata_13 (item_id,idata_timestamp,idata_value) VALUES (105,1000000000,'7');
