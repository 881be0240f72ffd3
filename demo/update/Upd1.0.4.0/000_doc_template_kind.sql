alter table doc_template add column kind varchar(10) not null default 'TEXT';
update doc_template set kind = 'IMAGE' where template_id = 'SCHOOL_LOGO';
