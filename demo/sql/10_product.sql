-- Demo product schema at version 1.0.2.0. Runs as the schema owner, whose schema holds
-- every object (search_path "$user").
create schema if not exists authorization current_user;

create table if not exists dict_setting (
  setting_id    varchar(100) primary key,
  setting_value varchar(4000)
);


create table school_class (
  class_id   integer primary key,
  title      varchar(40) not null,
  study_year integer not null
);

create table pupil (
  pupil_id   integer primary key,
  class_id   integer not null references school_class (class_id),
  surname    varchar(100) not null,
  first_name varchar(100) not null,
  birth_date date
);

create table hist_pupil (
  hist_id     integer primary key,
  pupil_id    integer not null references pupil (pupil_id),
  class_id    integer not null references school_class (class_id),
  actual_date date not null,
  is_actual   integer not null default 0
);

create table doc_template (
  template_id varchar(30) primary key,
  title       varchar(200) not null,
  body        text,
  picture     bytea
);

insert into school_class (class_id, title, study_year) values
  (1, '5-А', 2026), (2, '5-Б', 2026), (3, '6-А', 2026);

insert into pupil (pupil_id, class_id, surname, first_name, birth_date) values
  (1, 1, 'Шевченко', 'Олена', date '2015-03-14'),
  (2, 1, 'Коваленко', 'Андрій', date '2015-07-02'),
  (3, 2, 'Бондаренко', 'Марія', date '2015-11-23'),
  (4, 3, 'Ткаченко', 'Іван', date '2014-01-30');

insert into hist_pupil (hist_id, pupil_id, class_id, actual_date, is_actual) values
  (1, 1, 1, date '2025-09-01', 1),
  (2, 2, 1, date '2025-09-01', 1),
  (3, 3, 2, date '2025-09-01', 1),
  (4, 4, 3, date '2024-09-01', 0),
  (5, 4, 3, date '2025-09-01', 1);

insert into doc_template (template_id, title) values
  ('GRADE_SHEET', 'Табель успішності'),
  ('SCHOOL_LOGO', 'Емблема школи');

insert into dict_setting (setting_id, setting_value) values ('PROGRAM_VERSION', '1.0.2.0')
  on conflict (setting_id) do update set setting_value = excluded.setting_value;
