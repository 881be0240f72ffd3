update pupil set phone = '+380 44 000 00 0' || pupil_id;
update school_class set head_teacher = 'Класний керівник ' || title;
