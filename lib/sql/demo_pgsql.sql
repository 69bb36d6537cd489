INSERT INTO users (id,name,password,flags,full_name,description,system_access,grace_logins,guid,auth_method,cert_mapping_method,cert_mapping_data) VALUES (1,'jsmith','5BAA61E4C9B93F3F0682250B6CF8331B7EE68FD8',0,'John Smith','Network operator',3,5,'3f2b8c1e-4d5a-4e9b-8c7d-1a2b3c4d5e6f',0,0,'#00');

INSERT INTO user_groups (id,name,flags,description,system_access,guid) VALUES (-2147483647,'Operators',0,'Network operations team',3,'7a1c9e2d-0b3f-4c5d-9e8f-6a7b8c9d0e1f');

INSERT INTO user_group_members (group_id,user_id) VALUES (-2147483647,1);

INSERT INTO user_profiles (user_id,var_name,var_value) VALUES (1,'Console.DefaultView','#00');

INSERT INTO object_properties (object_id,name,status,is_deleted,last_modified,inherit_access_rights,status_calc_alg,status_prop_alg,status_fixed_val,status_shift,status_translation,status_single_threshold,status_thresholds,comments,is_system,location_type,latitude,longitude) VALUES (20,'10.0.0.0',0,0,1717995600,1,0,0,0,0,'01020304',75,'503C2814','Server segment',0,0,'','');
INSERT INTO object_properties (object_id,name,status,is_deleted,last_modified,inherit_access_rights,status_calc_alg,status_prop_alg,status_fixed_val,status_shift,status_translation,status_single_threshold,status_thresholds,comments,is_system,location_type,latitude,longitude) VALUES (21,'10.0.1.0',0,0,1717995600,1,0,0,0,0,'01020304',75,'503C2814','Access segment',0,0,'','');
INSERT INTO object_properties (object_id,name,status,is_deleted,last_modified,inherit_access_rights,status_calc_alg,status_prop_alg,status_fixed_val,status_shift,status_translation,status_single_threshold,status_thresholds,comments,is_system,location_type,latitude,longitude) VALUES (22,'192.168.5.0',0,0,1717995600,1,0,0,0,0,'01020304',75,'503C2814','Lab segment',0,0,'','');
INSERT INTO object_properties (object_id,name,status,is_deleted,last_modified,inherit_access_rights,status_calc_alg,status_prop_alg,status_fixed_val,status_shift,status_translation,status_single_threshold,status_thresholds,comments,is_system,location_type,latitude,longitude) VALUES (30,'Servers',0,0,1717995600,1,0,0,0,0,'01020304',75,'503C2814','',0,0,'','');
INSERT INTO object_properties (object_id,name,status,is_deleted,last_modified,inherit_access_rights,status_calc_alg,status_prop_alg,status_fixed_val,status_shift,status_translation,status_single_threshold,status_thresholds,comments,is_system,location_type,latitude,longitude) VALUES (31,'Network Devices',0,0,1717995600,1,0,0,0,0,'01020304',75,'503C2814','',0,0,'','');
INSERT INTO object_properties (object_id,name,status,is_deleted,last_modified,inherit_access_rights,status_calc_alg,status_prop_alg,status_fixed_val,status_shift,status_translation,status_single_threshold,status_thresholds,comments,is_system,location_type,latitude,longitude) VALUES (40,'Linux server',5,0,1717995600,1,0,0,0,0,'01020304',75,'503C2814','Basic health of Linux hosts',0,0,'','');
INSERT INTO object_properties (object_id,name,status,is_deleted,last_modified,inherit_access_rights,status_calc_alg,status_prop_alg,status_fixed_val,status_shift,status_translation,status_single_threshold,status_thresholds,comments,is_system,location_type,latitude,longitude) VALUES (50,'db-cluster',0,0,1717995600,1,0,0,0,0,'01020304',75,'503C2814','',0,0,'','');
INSERT INTO object_properties (object_id,name,status,is_deleted,last_modified,inherit_access_rights,status_calc_alg,status_prop_alg,status_fixed_val,status_shift,status_translation,status_single_threshold,status_thresholds,comments,is_system,location_type,latitude,longitude) VALUES (60,'HTTP',0,0,1717995600,1,0,0,0,0,'01020304',75,'503C2814','',0,0,'','');
INSERT INTO object_properties (object_id,name,status,is_deleted,last_modified,inherit_access_rights,status_calc_alg,status_prop_alg,status_fixed_val,status_shift,status_translation,status_single_threshold,status_thresholds,comments,is_system,location_type,latitude,longitude) VALUES (61,'SSH',0,0,1717995600,1,0,0,0,0,'01020304',75,'503C2814','',0,0,'','');
INSERT INTO object_properties (object_id,name,status,is_deleted,last_modified,inherit_access_rights,status_calc_alg,status_prop_alg,status_fixed_val,status_shift,status_translation,status_single_threshold,status_thresholds,comments,is_system,location_type,latitude,longitude) VALUES (70,'db1 CPU overload',0,0,1717995600,1,0,0,0,0,'01020304',75,'503C2814','',0,0,'','');
INSERT INTO object_properties (object_id,name,status,is_deleted,last_modified,inherit_access_rights,status_calc_alg,status_prop_alg,status_fixed_val,status_shift,status_translation,status_single_threshold,status_thresholds,comments,is_system,location_type,latitude,longitude) VALUES (100,'core-rtr1',0,0,1717995600,1,0,0,0,0,'01020304',75,'503C2814','Core router',0,0,'','');
INSERT INTO object_properties (object_id,name,status,is_deleted,last_modified,inherit_access_rights,status_calc_alg,status_prop_alg,status_fixed_val,status_shift,status_translation,status_single_threshold,status_thresholds,comments,is_system,location_type,latitude,longitude) VALUES (101,'web1',0,0,1717995600,1,0,0,0,0,'01020304',75,'503C2814','',0,0,'','');
INSERT INTO object_properties (object_id,name,status,is_deleted,last_modified,inherit_access_rights,status_calc_alg,status_prop_alg,status_fixed_val,status_shift,status_translation,status_single_threshold,status_thresholds,comments,is_system,location_type,latitude,longitude) VALUES (102,'db1',1,0,1717995600,1,0,0,0,0,'01020304',75,'503C2814','',0,0,'','');
INSERT INTO object_properties (object_id,name,status,is_deleted,last_modified,inherit_access_rights,status_calc_alg,status_prop_alg,status_fixed_val,status_shift,status_translation,status_single_threshold,status_thresholds,comments,is_system,location_type,latitude,longitude) VALUES (103,'sw-access1',0,0,1717995600,1,0,0,0,0,'01020304',75,'503C2814','',0,0,'','');
INSERT INTO object_properties (object_id,name,status,is_deleted,last_modified,inherit_access_rights,status_calc_alg,status_prop_alg,status_fixed_val,status_shift,status_translation,status_single_threshold,status_thresholds,comments,is_system,location_type,latitude,longitude) VALUES (104,'app1',0,0,1717995600,1,0,0,0,0,'01020304',75,'503C2814','',0,0,'','');
INSERT INTO object_properties (object_id,name,status,is_deleted,last_modified,inherit_access_rights,status_calc_alg,status_prop_alg,status_fixed_val,status_shift,status_translation,status_single_threshold,status_thresholds,comments,is_system,location_type,latitude,longitude) VALUES (105,'app2',0,0,1717995600,1,0,0,0,0,'01020304',75,'503C2814','',0,0,'','');
INSERT INTO object_properties (object_id,name,status,is_deleted,last_modified,inherit_access_rights,status_calc_alg,status_prop_alg,status_fixed_val,status_shift,status_translation,status_single_threshold,status_thresholds,comments,is_system,location_type,latitude,longitude) VALUES (200,'Gi0/0',0,0,1717995600,1,0,0,0,0,'01020304',75,'503C2814','',0,0,'','');
INSERT INTO object_properties (object_id,name,status,is_deleted,last_modified,inherit_access_rights,status_calc_alg,status_prop_alg,status_fixed_val,status_shift,status_translation,status_single_threshold,status_thresholds,comments,is_system,location_type,latitude,longitude) VALUES (201,'Gi0/1',0,0,1717995600,1,0,0,0,0,'01020304',75,'503C2814','',0,0,'','');
INSERT INTO object_properties (object_id,name,status,is_deleted,last_modified,inherit_access_rights,status_calc_alg,status_prop_alg,status_fixed_val,status_shift,status_translation,status_single_threshold,status_thresholds,comments,is_system,location_type,latitude,longitude) VALUES (202,'eth0',0,0,1717995600,1,0,0,0,0,'01020304',75,'503C2814','',0,0,'','');
INSERT INTO object_properties (object_id,name,status,is_deleted,last_modified,inherit_access_rights,status_calc_alg,status_prop_alg,status_fixed_val,status_shift,status_translation,status_single_threshold,status_thresholds,comments,is_system,location_type,latitude,longitude) VALUES (203,'eth0',0,0,1717995600,1,0,0,0,0,'01020304',75,'503C2814','',0,0,'','');
INSERT INTO object_properties (object_id,name,status,is_deleted,last_modified,inherit_access_rights,status_calc_alg,status_prop_alg,status_fixed_val,status_shift,status_translation,status_single_threshold,status_thresholds,comments,is_system,location_type,latitude,longitude) VALUES (204,'vlan1',0,0,1717995600,1,0,0,0,0,'01020304',75,'503C2814','',0,0,'','');
INSERT INTO object_properties (object_id,name,status,is_deleted,last_modified,inherit_access_rights,status_calc_alg,status_prop_alg,status_fixed_val,status_shift,status_translation,status_single_threshold,status_thresholds,comments,is_system,location_type,latitude,longitude) VALUES (205,'eth0',0,0,1717995600,1,0,0,0,0,'01020304',75,'503C2814','',0,0,'','');
INSERT INTO object_properties (object_id,name,status,is_deleted,last_modified,inherit_access_rights,status_calc_alg,status_prop_alg,status_fixed_val,status_shift,status_translation,status_single_threshold,status_thresholds,comments,is_system,location_type,latitude,longitude) VALUES (206,'eth0',0,0,1717995600,1,0,0,0,0,'01020304',75,'503C2814','',0,0,'','');
INSERT INTO object_properties (object_id,name,status,is_deleted,last_modified,inherit_access_rights,status_calc_alg,status_prop_alg,status_fixed_val,status_shift,status_translation,status_single_threshold,status_thresholds,comments,is_system,location_type,latitude,longitude) VALUES (32,'Decommissioned',0,0,0,1,0,0,0,0,'01020304',75,'503C2814','',0,0,'','');
INSERT INTO object_properties (object_id,name,status,is_deleted,last_modified,inherit_access_rights,status_calc_alg,status_prop_alg,status_fixed_val,status_shift,status_translation,status_single_threshold,status_thresholds,comments,is_system,location_type,latitude,longitude) VALUES (62,'SMTP',0,0,1717995600,1,0,0,0,0,'01020304',75,'503C2814','',0,0,'','');
INSERT INTO object_properties (object_id,name,status,is_deleted,last_modified,inherit_access_rights,status_calc_alg,status_prop_alg,status_fixed_val,status_shift,status_translation,status_single_threshold,status_thresholds,comments,is_system,location_type,latitude,longitude) VALUES (111,'lab-printer',0,0,1717995600,1,0,0,0,0,'01020304',75,'503C2814','',0,0,'','');
INSERT INTO object_properties (object_id,name,status,is_deleted,last_modified,inherit_access_rights,status_calc_alg,status_prop_alg,status_fixed_val,status_shift,status_translation,status_single_threshold,status_thresholds,comments,is_system,location_type,latitude,longitude) VALUES (112,'old-host',0,0,1717995600,1,0,0,0,0,'01020304',75,'503C2814','',0,0,'','');
INSERT INTO object_properties (object_id,name,status,is_deleted,last_modified,inherit_access_rights,status_calc_alg,status_prop_alg,status_fixed_val,status_shift,status_translation,status_single_threshold,status_thresholds,comments,is_system,location_type,latitude,longitude) VALUES (114,'retired-srv',0,1,1717995600,1,0,0,0,0,'01020304',75,'503C2814','',0,0,'','');
INSERT INTO object_properties (object_id,name,status,is_deleted,last_modified,inherit_access_rights,status_calc_alg,status_prop_alg,status_fixed_val,status_shift,status_translation,status_single_threshold,status_thresholds,comments,is_system,location_type,latitude,longitude) VALUES (210,'eth0',0,0,1717995600,1,0,0,0,0,'01020304',75,'503C2814','',0,0,'','');
INSERT INTO object_properties (object_id,name,status,is_deleted,last_modified,inherit_access_rights,status_calc_alg,status_prop_alg,status_fixed_val,status_shift,status_translation,status_single_threshold,status_thresholds,comments,is_system,location_type,latitude,longitude) VALUES (211,'eth0',0,0,1717995600,1,0,0,0,0,'01020304',75,'503C2814','',0,0,'','');

INSERT INTO object_custom_attributes (object_id,attr_name,attr_value) VALUES (101,'Location','Rack 2, unit 14');
INSERT INTO object_custom_attributes (object_id,attr_name,attr_value) VALUES (102,'Location','Rack 2, unit 16');

INSERT INTO acl (object_id,user_id,access_rights) VALUES (30,-2147483647,3);
INSERT INTO acl (object_id,user_id,access_rights) VALUES (31,-2147483647,3);

INSERT INTO subnets (id,ip_addr,ip_netmask,zone_guid,synthetic_mask) VALUES (20,'10.0.0.0','255.255.255.0',0,0);
INSERT INTO subnets (id,ip_addr,ip_netmask,zone_guid,synthetic_mask) VALUES (21,'10.0.1.0','255.255.255.0',0,0);
INSERT INTO subnets (id,ip_addr,ip_netmask,zone_guid,synthetic_mask) VALUES (22,'192.168.5.0','255.255.255.0',0,0);

INSERT INTO nodes (id,primary_ip,snmp_version,community,auth_method,secret,agent_port,status_poll_type,snmp_oid,agent_version,platform_name,poller_node_id,node_flags,zone_guid,proxy_node,snmp_proxy,required_polls,uname,use_ifxtable,usm_auth_password,usm_priv_password,usm_methods) VALUES (100,'10.0.0.1',1,'public',0,'',4700,0,'.1.3.6.1.4.1.9.1.1208','','',0,9,0,0,0,0,'',0,'#00','#00',0);
INSERT INTO nodes (id,primary_ip,snmp_version,community,auth_method,secret,agent_port,status_poll_type,snmp_oid,agent_version,platform_name,poller_node_id,node_flags,zone_guid,proxy_node,snmp_proxy,required_polls,uname,use_ifxtable,usm_auth_password,usm_priv_password,usm_methods) VALUES (101,'10.0.0.10',1,'public',0,'',4700,0,'.1.3.6.1.4.1.8072.3.2.10','0.2.29','linux-x86_64',0,3,0,0,0,0,'Linux web1 5.10.0 x86_64',0,'#00','#00',0);
INSERT INTO nodes (id,primary_ip,snmp_version,community,auth_method,secret,agent_port,status_poll_type,snmp_oid,agent_version,platform_name,poller_node_id,node_flags,zone_guid,proxy_node,snmp_proxy,required_polls,uname,use_ifxtable,usm_auth_password,usm_priv_password,usm_methods) VALUES (102,'10.0.0.11',1,'public',0,'',4700,0,'.1.3.6.1.4.1.8072.3.2.10','0.2.29','linux-x86_64',0,3,0,0,0,0,'Linux db1 5.10.0 x86_64',0,'#00','#00',0);
INSERT INTO nodes (id,primary_ip,snmp_version,community,auth_method,secret,agent_port,status_poll_type,snmp_oid,agent_version,platform_name,poller_node_id,node_flags,zone_guid,proxy_node,snmp_proxy,required_polls,uname,use_ifxtable,usm_auth_password,usm_priv_password,usm_methods) VALUES (103,'10.0.1.2',1,'public',0,'',4700,0,'.1.3.6.1.4.1.9.1.716','','',0,5,0,0,0,0,'',0,'#00','#00',0);
INSERT INTO nodes (id,primary_ip,snmp_version,community,auth_method,secret,agent_port,status_poll_type,snmp_oid,agent_version,platform_name,poller_node_id,node_flags,zone_guid,proxy_node,snmp_proxy,required_polls,uname,use_ifxtable,usm_auth_password,usm_priv_password,usm_methods) VALUES (104,'10.0.1.20',1,'public',0,'',4700,0,'.1.3.6.1.4.1.8072.3.2.10','0.2.29','linux-x86_64',0,3,0,0,0,0,'Linux app1 5.10.0 x86_64',0,'#00','#00',0);
INSERT INTO nodes (id,primary_ip,snmp_version,community,auth_method,secret,agent_port,status_poll_type,snmp_oid,agent_version,platform_name,poller_node_id,node_flags,zone_guid,proxy_node,snmp_proxy,required_polls,uname,use_ifxtable,usm_auth_password,usm_priv_password,usm_methods) VALUES (105,'10.0.1.21',1,'public',0,'',4700,0,'.1.3.6.1.4.1.8072.3.2.10','0.2.29','linux-x86_64',0,3,0,0,0,0,'Linux app2 5.10.0 x86_64',0,'#00','#00',0);
INSERT INTO nodes (id,primary_ip,snmp_version,community,auth_method,secret,agent_port,status_poll_type,snmp_oid,agent_version,platform_name,poller_node_id,node_flags,zone_guid,proxy_node,snmp_proxy,required_polls,uname,use_ifxtable,usm_auth_password,usm_priv_password,usm_methods) VALUES (110,'10.0.1.30',1,'public',0,'',4700,0,'','0.2.29','windows-x86',0,2,0,0,0,0,'',0,'#00','#00',0);
INSERT INTO nodes (id,primary_ip,snmp_version,community,auth_method,secret,agent_port,status_poll_type,snmp_oid,agent_version,platform_name,poller_node_id,node_flags,zone_guid,proxy_node,snmp_proxy,required_polls,uname,use_ifxtable,usm_auth_password,usm_priv_password,usm_methods) VALUES (111,'192.168.5.40',1,'public',0,'',4700,0,'.1.3.6.1.4.1.11.2.3.9.1','','',0,1,0,0,0,0,'',0,'#00','#00',0);
INSERT INTO nodes (id,primary_ip,snmp_version,community,auth_method,secret,agent_port,status_poll_type,snmp_oid,agent_version,platform_name,poller_node_id,node_flags,zone_guid,proxy_node,snmp_proxy,required_polls,uname,use_ifxtable,usm_auth_password,usm_priv_password,usm_methods) VALUES (112,'0.0.0.0',1,'public',0,'',4700,0,'','','',0,0,0,0,0,0,'',0,'#00','#00',0);
INSERT INTO nodes (id,primary_ip,snmp_version,community,auth_method,secret,agent_port,status_poll_type,snmp_oid,agent_version,platform_name,poller_node_id,node_flags,zone_guid,proxy_node,snmp_proxy,required_polls,uname,use_ifxtable,usm_auth_password,usm_priv_password,usm_methods) VALUES (114,'10.0.0.99',1,'public',0,'',4700,0,'','0.2.29','linux-x86_64',0,2,0,0,0,0,'',0,'#00','#00',0);

INSERT INTO interfaces (id,node_id,ip_addr,ip_netmask,mac_addr,if_type,if_index,synthetic_mask,required_polls) VALUES (200,100,'10.0.0.1','255.255.255.0','00000C9F0001',6,1,0,0);
INSERT INTO interfaces (id,node_id,ip_addr,ip_netmask,mac_addr,if_type,if_index,synthetic_mask,required_polls) VALUES (201,100,'10.0.1.1','255.255.255.0','00000C9F0002',6,2,0,0);
INSERT INTO interfaces (id,node_id,ip_addr,ip_netmask,mac_addr,if_type,if_index,synthetic_mask,required_polls) VALUES (202,101,'10.0.0.10','255.255.255.0','525400A1B201',6,2,0,0);
INSERT INTO interfaces (id,node_id,ip_addr,ip_netmask,mac_addr,if_type,if_index,synthetic_mask,required_polls) VALUES (203,102,'10.0.0.11','255.255.255.0','525400A1B202',6,2,0,0);
INSERT INTO interfaces (id,node_id,ip_addr,ip_netmask,mac_addr,if_type,if_index,synthetic_mask,required_polls) VALUES (204,103,'10.0.1.2','255.255.255.0','00000C9F1001',53,1,0,0);
INSERT INTO interfaces (id,node_id,ip_addr,ip_netmask,mac_addr,if_type,if_index,synthetic_mask,required_polls) VALUES (205,104,'10.0.1.20','255.255.255.0','525400A1B204',6,2,0,0);
INSERT INTO interfaces (id,node_id,ip_addr,ip_netmask,mac_addr,if_type,if_index,synthetic_mask,required_polls) VALUES (206,105,'10.0.1.21','255.255.255.0','525400A1B205',6,2,0,0);
INSERT INTO interfaces (id,node_id,ip_addr,ip_netmask,mac_addr,if_type,if_index,synthetic_mask,required_polls) VALUES (210,111,'192.168.5.40','255.255.255.0','0010835A0B0C',6,1,0,0);
INSERT INTO interfaces (id,node_id,ip_addr,ip_netmask,mac_addr,if_type,if_index,synthetic_mask,required_polls) VALUES (211,113,'10.0.0.77','255.255.255.0','525400A1B277',6,2,0,0);
INSERT INTO interfaces (id,node_id,ip_addr,ip_netmask,mac_addr,if_type,if_index,synthetic_mask,required_polls) VALUES (212,101,'10.0.0.12','255.255.255.0','525400A1B211',6,3,0,0);

INSERT INTO network_services (id,node_id,service_type,ip_bind_addr,ip_proto,ip_port,check_request,check_responce,poller_node_id,required_polls) VALUES (60,101,6,'10.0.0.10',6,80,'GET / HTTP/1.0','^HTTP/1',0,0);
INSERT INTO network_services (id,node_id,service_type,ip_bind_addr,ip_proto,ip_port,check_request,check_responce,poller_node_id,required_polls) VALUES (61,102,1,'10.0.0.11',6,22,'#00','^SSH-',0,0);
INSERT INTO network_services (id,node_id,service_type,ip_bind_addr,ip_proto,ip_port,check_request,check_responce,poller_node_id,required_polls) VALUES (62,114,3,'10.0.0.99',6,25,'#00','^220',0,0);

INSERT INTO containers (id,category,enable_auto_bind,auto_bind_filter) VALUES (30,1,0,'#00');
INSERT INTO containers (id,category,enable_auto_bind,auto_bind_filter) VALUES (31,2,0,'#00');
INSERT INTO containers (id,category,enable_auto_bind,auto_bind_filter) VALUES (32,1,0,'#00');

INSERT INTO container_categories (category,name,image_id,description) VALUES (1,'Servers',0,'Server groups');
INSERT INTO container_categories (category,name,image_id,description) VALUES (2,'Network',0,'Network equipment');

INSERT INTO container_members (container_id,object_id) VALUES (2,30);
INSERT INTO container_members (container_id,object_id) VALUES (2,31);
INSERT INTO container_members (container_id,object_id) VALUES (2,32);
INSERT INTO container_members (container_id,object_id) VALUES (3,40);
INSERT INTO container_members (container_id,object_id) VALUES (30,101);
INSERT INTO container_members (container_id,object_id) VALUES (30,102);
INSERT INTO container_members (container_id,object_id) VALUES (30,104);
INSERT INTO container_members (container_id,object_id) VALUES (30,105);
INSERT INTO container_members (container_id,object_id) VALUES (30,50);
INSERT INTO container_members (container_id,object_id) VALUES (31,100);
INSERT INTO container_members (container_id,object_id) VALUES (31,103);

INSERT INTO nsmap (subnet_id,node_id) VALUES (20,100);
INSERT INTO nsmap (subnet_id,node_id) VALUES (20,101);
INSERT INTO nsmap (subnet_id,node_id) VALUES (20,102);
INSERT INTO nsmap (subnet_id,node_id) VALUES (21,100);
INSERT INTO nsmap (subnet_id,node_id) VALUES (21,103);
INSERT INTO nsmap (subnet_id,node_id) VALUES (21,104);
INSERT INTO nsmap (subnet_id,node_id) VALUES (21,105);
INSERT INTO nsmap (subnet_id,node_id) VALUES (21,110);

INSERT INTO templates (id,version,enable_auto_apply,apply_filter) VALUES (40,3,0,'#00');

INSERT INTO dct_node_map (template_id,node_id) VALUES (40,101);
INSERT INTO dct_node_map (template_id,node_id) VALUES (40,102);
INSERT INTO dct_node_map (template_id,node_id) VALUES (40,104);
INSERT INTO dct_node_map (template_id,node_id) VALUES (40,105);
INSERT INTO dct_node_map (template_id,node_id) VALUES (40,116);

INSERT INTO clusters (id,cluster_type) VALUES (50,0);

INSERT INTO cluster_members (cluster_id,node_id) VALUES (50,102);
INSERT INTO cluster_members (cluster_id,node_id) VALUES (50,104);
INSERT INTO cluster_members (cluster_id,node_id) VALUES (50,115);

INSERT INTO cluster_sync_subnets (cluster_id,subnet_addr,subnet_mask) VALUES (50,'10.0.0.0','255.255.255.0');

INSERT INTO cluster_resources (cluster_id,resource_id,resource_name,ip_addr,current_owner) VALUES (50,1,'Database virtual address','10.0.0.50',102);

INSERT INTO conditions (id,activation_event,deactivation_event,source_object,active_status,inactive_status,script) VALUES (70,34,35,102,3,0,'sub main()#0D#0A{#0D#0A   return $1 > 90;#0D#0A}#0D#0A');

INSERT INTO cond_dci_map (condition_id,sequence_number,dci_id,node_id,dci_func,num_polls) VALUES (70,0,502,102,0,3);

INSERT INTO items (item_id,node_id,template_id,name,description,source,datatype,polling_interval,retention_time,status,delta_calculation,transformation,instance,template_item_id,adv_schedule,all_thresholds,resource_id,proxy_node,base_units,unit_multiplier,custom_units_name,perftab_settings) VALUES (600,40,0,'System.CPU.Usage','CPU utilization',1,5,60,30,0,0,'#00','#00',0,0,0,0,0,0,1,'#00','#00');
INSERT INTO items (item_id,node_id,template_id,name,description,source,datatype,polling_interval,retention_time,status,delta_calculation,transformation,instance,template_item_id,adv_schedule,all_thresholds,resource_id,proxy_node,base_units,unit_multiplier,custom_units_name,perftab_settings) VALUES (601,40,0,'System.Memory.Physical.Free','Free physical memory',1,3,60,30,0,0,'#00','#00',0,0,0,0,0,0,1,'#00','#00');
INSERT INTO items (item_id,node_id,template_id,name,description,source,datatype,polling_interval,retention_time,status,delta_calculation,transformation,instance,template_item_id,adv_schedule,all_thresholds,resource_id,proxy_node,base_units,unit_multiplier,custom_units_name,perftab_settings) VALUES (500,101,40,'System.CPU.Usage','CPU utilization',1,5,60,30,0,0,'#00','#00',600,0,0,0,0,0,1,'#00','#00');
INSERT INTO items (item_id,node_id,template_id,name,description,source,datatype,polling_interval,retention_time,status,delta_calculation,transformation,instance,template_item_id,adv_schedule,all_thresholds,resource_id,proxy_node,base_units,unit_multiplier,custom_units_name,perftab_settings) VALUES (501,101,40,'System.Memory.Physical.Free','Free physical memory',1,3,60,30,0,0,'#00','#00',601,0,0,0,0,0,1,'#00','#00');
INSERT INTO items (item_id,node_id,template_id,name,description,source,datatype,polling_interval,retention_time,status,delta_calculation,transformation,instance,template_item_id,adv_schedule,all_thresholds,resource_id,proxy_node,base_units,unit_multiplier,custom_units_name,perftab_settings) VALUES (502,102,40,'System.CPU.Usage','CPU utilization',1,5,60,30,0,0,'#00','#00',600,0,0,0,0,0,1,'#00','#00');
INSERT INTO items (item_id,node_id,template_id,name,description,source,datatype,polling_interval,retention_time,status,delta_calculation,transformation,instance,template_item_id,adv_schedule,all_thresholds,resource_id,proxy_node,base_units,unit_multiplier,custom_units_name,perftab_settings) VALUES (503,102,40,'System.Memory.Physical.Free','Free physical memory',1,3,60,30,0,0,'#00','#00',601,0,0,0,0,0,1,'#00','#00');
INSERT INTO items (item_id,node_id,template_id,name,description,source,datatype,polling_interval,retention_time,status,delta_calculation,transformation,instance,template_item_id,adv_schedule,all_thresholds,resource_id,proxy_node,base_units,unit_multiplier,custom_units_name,perftab_settings) VALUES (504,100,0,'.1.3.6.1.2.1.2.2.1.10.1','Inbound traffic on Gi0/0',2,1,60,30,0,0,'#00','#00',0,0,0,0,0,0,1,'#00','#00');
INSERT INTO items (item_id,node_id,template_id,name,description,source,datatype,polling_interval,retention_time,status,delta_calculation,transformation,instance,template_item_id,adv_schedule,all_thresholds,resource_id,proxy_node,base_units,unit_multiplier,custom_units_name,perftab_settings) VALUES (505,104,40,'System.CPU.Usage','CPU utilization',1,5,60,30,0,0,'#00','#00',600,0,0,0,0,0,1,'#00','#00');
INSERT INTO items (item_id,node_id,template_id,name,description,source,datatype,polling_interval,retention_time,status,delta_calculation,transformation,instance,template_item_id,adv_schedule,all_thresholds,resource_id,proxy_node,base_units,unit_multiplier,custom_units_name,perftab_settings) VALUES (506,105,40,'System.CPU.Usage','CPU utilization',1,5,60,30,0,0,'#00','#00',600,0,0,0,0,0,1,'#00','#00');
INSERT INTO items (item_id,node_id,template_id,name,description,source,datatype,polling_interval,retention_time,status,delta_calculation,transformation,instance,template_item_id,adv_schedule,all_thresholds,resource_id,proxy_node,base_units,unit_multiplier,custom_units_name,perftab_settings) VALUES (507,103,0,'.1.3.6.1.2.1.2.2.1.10.1','Inbound traffic on vlan1',2,1,300,30,0,0,'#00','#00',0,0,0,0,0,0,1,'#00','#00');
INSERT INTO items (item_id,node_id,template_id,name,description,source,datatype,polling_interval,retention_time,status,delta_calculation,transformation,instance,template_item_id,adv_schedule,all_thresholds,resource_id,proxy_node,base_units,unit_multiplier,custom_units_name,perftab_settings) VALUES (508,102,0,'Hardware.HDD.Temperature(0)','Temperature of disk 0',1,0,300,30,0,0,'#00','#00',0,0,0,0,0,0,1,'#00','#00');

INSERT INTO thresholds (threshold_id,item_id,sequence_number,fire_value,rearm_value,check_function,check_operation,parameter_1,parameter_2,event_code,current_state,rearm_event_code,repeat_interval) VALUES (1,508,0,'45','#00',0,4,0,0,4009,0,18,-1);
INSERT INTO thresholds (threshold_id,item_id,sequence_number,fire_value,rearm_value,check_function,check_operation,parameter_1,parameter_2,event_code,current_state,rearm_event_code,repeat_interval) VALUES (2,508,1,'55','#00',0,4,0,0,4010,0,18,-1);

INSERT INTO dci_schedules (schedule_id,item_id,schedule) VALUES (1,507,'*/5 * * * *');

INSERT INTO raw_dci_values (item_id,raw_value,last_poll_time) VALUES (500,'12.5',1718000040);
INSERT INTO raw_dci_values (item_id,raw_value,last_poll_time) VALUES (501,'1048576',1718000040);
INSERT INTO raw_dci_values (item_id,raw_value,last_poll_time) VALUES (503,'524288',1718000040);
INSERT INTO raw_dci_values (item_id,raw_value,last_poll_time) VALUES (504,'18446744',1718000040);
INSERT INTO raw_dci_values (item_id,raw_value,last_poll_time) VALUES (505,'3.2',1718000040);
INSERT INTO raw_dci_values (item_id,raw_value,last_poll_time) VALUES (506,'4.7',1718000040);
INSERT INTO raw_dci_values (item_id,raw_value,last_poll_time) VALUES (507,'99012',1718000000);
INSERT INTO raw_dci_values (item_id,raw_value,last_poll_time) VALUES (508,'38',1718000000);
INSERT INTO raw_dci_values (item_id,raw_value,last_poll_time) VALUES (502,'97.1',2147480000);

INSERT INTO event_groups (id,name,description,range_start,range_end) VALUES (-2147483647,'Node state','Node up and down events',0,0);

INSERT INTO event_group_members (group_id,event_code) VALUES (-2147483647,28);
INSERT INTO event_group_members (group_id,event_code) VALUES (-2147483647,29);

INSERT INTO actions (action_id,action_name,action_type,is_disabled,rcpt_addr,email_subject,action_data) VALUES (1,'Mail operators',2,0,'noc@example.com','Orvane alert','%n: %m');
INSERT INTO actions (action_id,action_name,action_type,is_disabled,rcpt_addr,email_subject,action_data) VALUES (2,'Log to syslog',0,0,'#00','#00','logger -t orvane %m');

INSERT INTO time_ranges (time_range_id,wday_mask,mday_mask,month_mask,time_range) VALUES (1,62,0,0,'08:00-18:00');

INSERT INTO event_policy (rule_id,flags,comments,alarm_message,alarm_severity,alarm_key,script,alarm_timeout,alarm_timeout_event,situation_id,situation_instance) VALUES (1,7,'Server down: alarm and mail','%m',5,'NODE_DOWN_%i','#00',0,43,0,'#00');
INSERT INTO event_policy (rule_id,flags,comments,alarm_message,alarm_severity,alarm_key,script,alarm_timeout,alarm_timeout_event,situation_id,situation_instance) VALUES (2,1,'Log node state changes','#00',0,'#00','#00',0,43,0,'#00');
INSERT INTO event_policy (rule_id,flags,comments,alarm_message,alarm_severity,alarm_key,script,alarm_timeout,alarm_timeout_event,situation_id,situation_instance) VALUES (3,1,'Rule for a removed host','%m',5,'#00','#00',0,43,0,'#00');

INSERT INTO policy_source_list (rule_id,object_id) VALUES (1,101);
INSERT INTO policy_source_list (rule_id,object_id) VALUES (1,102);
INSERT INTO policy_source_list (rule_id,object_id) VALUES (3,999);

INSERT INTO policy_event_list (rule_id,event_code) VALUES (1,28);
INSERT INTO policy_event_list (rule_id,event_code) VALUES (2,-2147483647);
INSERT INTO policy_event_list (rule_id,event_code) VALUES (3,4100);
INSERT INTO policy_event_list (rule_id,event_code) VALUES (3,-2147483639);

INSERT INTO policy_action_list (rule_id,action_id) VALUES (1,1);
INSERT INTO policy_action_list (rule_id,action_id) VALUES (2,2);
INSERT INTO policy_action_list (rule_id,action_id) VALUES (3,9);

INSERT INTO policy_time_range_list (rule_id,time_range_id) VALUES (1,1);

INSERT INTO deleted_objects (object_id,object_class,name,ip_addr,ip_netmask) VALUES (120,2,'old-switch','10.0.1.3','255.255.255.0');

INSERT INTO event_log (event_id,event_code,event_timestamp,event_source,event_severity,event_message,root_event_id,user_tag) VALUES (1001,28,1717999000,102,4,'Node down',0,'');
INSERT INTO event_log (event_id,event_code,event_timestamp,event_source,event_severity,event_message,root_event_id,user_tag) VALUES (1002,29,1717999300,102,0,'Node up',0,'');
INSERT INTO event_log (event_id,event_code,event_timestamp,event_source,event_severity,event_message,root_event_id,user_tag) VALUES (1003,503,1717999500,100,3,'Link is down',0,'');

INSERT INTO alarms (alarm_id,message,source_object_id,alarm_key,ack_by,source_event_code,source_event_id,alarm_state,hd_state,hd_ref,creation_time,last_change_time,original_severity,current_severity,repeat_count,term_by,timeout,timeout_event) VALUES (1,'Node down',102,'NODE_DOWN_102',0,28,1001,0,0,'',1717999000,1717999000,4,4,1,0,0,43);

INSERT INTO alarm_notes (note_id,alarm_id,change_time,user_id,note_text) VALUES (1,1,1717999200,1,'Power supply replaced in rack 2');

INSERT INTO syslog (msg_id,msg_timestamp,facility,severity,source_object_id,hostname,msg_tag,msg_text) VALUES (1,1717999500,23,3,100,'core-rtr1','LINK','Interface GigabitEthernet0/1, changed state to down');
INSERT INTO syslog (msg_id,msg_timestamp,facility,severity,source_object_id,hostname,msg_tag,msg_text) VALUES (2,1717999560,23,5,100,'core-rtr1','LINK','Interface GigabitEthernet0/1, changed state to up');

INSERT INTO snmp_trap_log (trap_id,trap_timestamp,ip_addr,object_id,trap_oid,trap_varlist) VALUES (1,1717999500,'10.0.0.1',100,'.1.3.6.1.6.3.1.1.5.3','.1.3.6.1.2.1.2.2.1.1 == 2');

INSERT INTO submaps (map_id,submap_id,attributes) VALUES (1,1,0);

INSERT INTO submap_object_positions (map_id,submap_id,object_id,x,y) VALUES (1,1,100,200,40);
INSERT INTO submap_object_positions (map_id,submap_id,object_id,x,y) VALUES (1,1,101,100,160);
INSERT INTO submap_object_positions (map_id,submap_id,object_id,x,y) VALUES (1,1,102,300,160);

INSERT INTO submap_links (map_id,submap_id,object_id1,object_id2,link_type,port1,port2) VALUES (1,1,100,101,0,'Gi0/0','eth0');
INSERT INTO submap_links (map_id,submap_id,object_id1,object_id2,link_type,port1,port2) VALUES (1,1,100,102,0,'Gi0/0','eth0');

INSERT INTO agent_configs (config_id,config_name,config_file,config_filter,sequence_number) VALUES (1,'Linux agents','MasterServers = 10.0.0.5','sub main()#0D#0A{#0D#0A   return $1->isAgent;#0D#0A}#0D#0A',1);

INSERT INTO address_lists (list_type,community_id,addr_type,addr1,addr2) VALUES (1,0,0,'10.0.0.0','255.255.254.0');

INSERT INTO snmp_communities (id,community) VALUES (1,'public');
INSERT INTO snmp_communities (id,community) VALUES (2,'monitoring');

INSERT INTO graphs (graph_id,owner_id,name,config) VALUES (1,1,'Web and database CPU','<chart><dci node=#22101#22 id=#22500#22/><dci node=#22102#22 id=#22502#22/></chart>');

INSERT INTO graph_acl (graph_id,user_id,user_rights) VALUES (1,-2147483647,1);

INSERT INTO audit_log (record_id,timestamp,subsystem,success,user_id,workstation,object_id,message) VALUES (1,1717999100,'SYSCFG',1,0,'10.0.0.200',0,'Server configuration variable changed');

CREATE TABLE idata_100 (item_id integer not null,idata_timestamp integer not null,idata_value varchar(255));
CREATE INDEX idx_idata_100_item_id ON idata_100(item_id);
CREATE INDEX idx_idata_100_timestamp_id ON idata_100(idata_timestamp,item_id);
INSERT INTO idata_100 (item_id,idata_timestamp,idata_value) VALUES (504,1717999800,'18446000');
INSERT INTO idata_100 (item_id,idata_timestamp,idata_value) VALUES (504,1717999860,'18446744');

CREATE TABLE idata_101 (item_id integer not null,idata_timestamp integer not null,idata_value varchar(255));
CREATE INDEX idx_idata_101_item_id ON idata_101(item_id);
CREATE INDEX idx_idata_101_timestamp_id ON idata_101(idata_timestamp,item_id);
INSERT INTO idata_101 (item_id,idata_timestamp,idata_value) VALUES (500,1717999980,'11.0');
INSERT INTO idata_101 (item_id,idata_timestamp,idata_value) VALUES (500,1718000040,'12.5');
INSERT INTO idata_101 (item_id,idata_timestamp,idata_value) VALUES (501,1718000040,'1048576');

CREATE TABLE idata_102 (item_id integer not null,idata_timestamp integer not null,idata_value varchar(255));
CREATE INDEX idx_idata_102_item_id ON idata_102(item_id);
CREATE INDEX idx_idata_102_timestamp_id ON idata_102(idata_timestamp,item_id);
INSERT INTO idata_102 (item_id,idata_timestamp,idata_value) VALUES (502,1717999980,'95.4');
INSERT INTO idata_102 (item_id,idata_timestamp,idata_value) VALUES (503,1718000040,'524288');
INSERT INTO idata_102 (item_id,idata_timestamp,idata_value) VALUES (508,1718000000,'38');
INSERT INTO idata_102 (item_id,idata_timestamp,idata_value) VALUES (502,2147480000,'97.1');

CREATE TABLE idata_103 (item_id integer not null,idata_timestamp integer not null,idata_value varchar(255));
CREATE INDEX idx_idata_103_item_id ON idata_103(item_id);
CREATE INDEX idx_idata_103_timestamp_id ON idata_103(idata_timestamp,item_id);
INSERT INTO idata_103 (item_id,idata_timestamp,idata_value) VALUES (507,1718000000,'99012');

CREATE TABLE idata_104 (item_id integer not null,idata_timestamp integer not null,idata_value varchar(255));
CREATE INDEX idx_idata_104_item_id ON idata_104(item_id);
CREATE INDEX idx_idata_104_timestamp_id ON idata_104(idata_timestamp,item_id);
INSERT INTO idata_104 (item_id,idata_timestamp,idata_value) VALUES (505,1718000040,'3.2');

CREATE TABLE idata_105 (item_id integer not null,idata_timestamp integer not null,idata_value varchar(255));
CREATE INDEX idx_idata_105_item_id ON idata_105(item_id);
CREATE INDEX idx_idata_105_timestamp_id ON idata_105(idata_timestamp,item_id);
INSERT INTO idata_105 (item_id,idata_timestamp,idata_value) VALUES (506,1718000040,'4.7');

CREATE TABLE idata_110 (item_id integer not null,idata_timestamp integer not null,idata_value varchar(255));
CREATE INDEX idx_idata_110_item_id ON idata_110(item_id);
CREATE INDEX idx_idata_110_timestamp_id ON idata_110(idata_timestamp,item_id);

CREATE TABLE idata_111 (item_id integer not null,idata_timestamp integer not null,idata_value varchar(255));
CREATE INDEX idx_idata_111_item_id ON idata_111(item_id);
CREATE INDEX idx_idata_111_timestamp_id ON idata_111(idata_timestamp,item_id);

CREATE TABLE idata_112 (item_id integer not null,idata_timestamp integer not null,idata_value varchar(255));
CREATE INDEX idx_idata_112_item_id ON idata_112(item_id);
CREATE INDEX idx_idata_112_timestamp_id ON idata_112(idata_timestamp,item_id);

CREATE TABLE idata_114 (item_id integer not null,idata_timestamp integer not null,idata_value varchar(255));
CREATE INDEX idx_idata_114_item_id ON idata_114(item_id);
CREATE INDEX idx_idata_114_timestamp_id ON idata_114(idata_timestamp,item_id);
