CREATE TABLE config (
  var_name varchar(63) not null,
  var_value varchar(255),
  is_visible integer not null default 1,
  need_server_restart integer not null default 0,
  PRIMARY KEY(var_name)
);

CREATE TABLE config_clob (
  var_name varchar(63) not null,
  var_value varchar not null,
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
  status_transl