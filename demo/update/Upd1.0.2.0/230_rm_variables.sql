insert into rm_variables (variable_id, sql_text, var_title, var_type, var_field, is_visible,
                          var_variants_type)
values ('VYEAR', 'select distinct study_year from school_class order by 1', 'Навчальний рік', 1,
        'STUDY_YEAR', 1, 0)
on conflict (variable_id) do nothing;
