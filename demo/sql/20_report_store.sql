-- The report store: printable report forms kept as data. Access rows carry no foreign key to
-- the form: they are local administration and outlive a reload of the form.
create table rm_menu (
  menu_id   varchar(12) primary key,
  menu_name varchar(200) not null
);

create table rm_folder (
  folder_id   varchar(12) primary key,
  menu_id     varchar(12) not null references rm_menu (menu_id),
  folder_name varchar(200) not null
);

create table rm_dfm (
  dfm_id         varchar(12) primary key,
  title          varchar(200),
  dfm            text,
  pre_script     text,
  post_script    text,
  note           varchar(4000),
  is_show        integer not null default 1,
  short_title    varchar(200) not null,
  report_icon    bytea,
  report_type    numeric not null,
  excel_template bytea,
  user_name      varchar(200) not null,
  report_date    timestamp not null,
  is_log         integer not null default 0,
  is_read_only   integer not null default 0
);

create table rm_report (
  report_id    varchar(12) primary key,
  dfm_id       varchar(12) not null references rm_dfm (dfm_id),
  menu_caption varchar(200)
);

create table rm_pipeline (
  pipeline_id        varchar(12) primary key,
  report_id          varchar(12) not null references rm_report (report_id),
  sql_text           text,
  pipeline_name      varchar(40) not null,
  pipeline_order     numeric not null,
  pipeline_type      numeric not null default 0,
  master_pipeline_id varchar(12)
);

create table rm_variables (
  variable_id       varchar(12) primary key,
  sql_text          varchar(4000),
  var_title         varchar(200) not null,
  var_type          numeric not null,
  var_field_list    varchar(40),
  var_field         varchar(40) not null,
  is_visible        integer not null,
  var_variants_type numeric not null,
  default_value     varchar(200),
  is_centralized    integer not null default 0
);

create table rm_query_variables (
  variable_id    varchar(12) not null references rm_variables (variable_id),
  report_id      varchar(12) not null references rm_report (report_id),
  variable_order numeric,
  caption        varchar(80),
  primary key (report_id, variable_id)
);

create sequence rmfolder_rmdfm_seq;

create table rmfolder_rmdfm (
  rmfolder_rmdfm_id varchar(12) primary key default nextval('rmfolder_rmdfm_seq')::text,
  folder_id         varchar(12) not null references rm_folder (folder_id),
  dfm_id            varchar(12) not null references rm_dfm (dfm_id),
  unique (folder_id, dfm_id)
);

create table rm_dfm_access (
  rm_dfm_access_id varchar(12) primary key,
  dfm_id           varchar(12) not null,
  role_mask        varchar(40) not null
);

create index rm_folder_menu_idx on rm_folder (menu_id);
create index rm_report_dfm_idx on rm_report (dfm_id);
create index rm_pipeline_report_idx on rm_pipeline (report_id);
create index rmfolder_rmdfm_dfm_idx on rmfolder_rmdfm (dfm_id);
create index rm_dfm_access_dfm_idx on rm_dfm_access (dfm_id);

-- What the product shipped with 1.0.2.0: one menu and the class variable.
insert into rm_menu (menu_id, menu_name) values ('MSCHOOL', 'Школа');
insert into rm_variables (variable_id, sql_text, var_title, var_type, var_field_list, var_field,
                          is_visible, var_variants_type)
values ('VCLASS', 'select class_id, title from school_class', 'Клас', 1, 'TITLE', 'CLASS_ID', 1,
        1);
