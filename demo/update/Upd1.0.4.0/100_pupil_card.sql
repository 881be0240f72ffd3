create table pupil_card (
  pupil_id  integer primary key references pupil (pupil_id),
  issued_on date not null
);

insert into pupil_card (pupil_id, issued_on)
select pupil_id, date '2026-09-01' from pupil;
