alter table pupil add column phone varchar(20);
alter table school_class add column head_teacher varchar(200);
