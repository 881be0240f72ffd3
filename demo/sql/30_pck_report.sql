-- pck_report: the only way the report loader writes the report store. Updates of a missing
-- row raise no_data_found, so a stale cached row never passes as written.
create schema pck_report;

create procedure pck_report.menu_insert(i_menu_id text, i_menu_name text)
language plpgsql as $$
begin
  insert into rm_menu (menu_id, menu_name) values (upper(i_menu_id), i_menu_name);
end $$;

create procedure pck_report.menu_update(i_menu_id text, i_menu_name text)
language plpgsql as $$
begin
  update rm_menu set menu_name = i_menu_name where menu_id = upper(i_menu_id);
  if not found then
    raise no_data_found using message = format('Меню %s відсутнє', i_menu_id);
  end if;
end $$;

create procedure pck_report.folder_insert(i_folder_id text, i_menu_id text, i_folder_name text)
language plpgsql as $$
begin
  insert into rm_folder (folder_id, menu_id, folder_name)
  values (upper(i_folder_id), upper(i_menu_id), i_folder_name);
end $$;

create procedure pck_report.folder_update(i_folder_id text, i_menu_id text, i_folder_name text)
language plpgsql as $$
begin
  update rm_folder set menu_id = upper(i_menu_id), folder_name = i_folder_name
   where folder_id = upper(i_folder_id);
  if not found then
    raise no_data_found using message = format('Папка %s відсутня', i_folder_id);
  end if;
end $$;

create procedure pck_report.form_insert(
  i_dfm_id text, i_title text, i_dfm text, i_pre_script text, i_post_script text, i_note text,
  i_is_show numeric, i_short_title text, i_report_icon bytea, i_report_type numeric,
  i_excel_template bytea, i_user_name text, i_report_date timestamp, i_is_log numeric,
  i_is_read_only numeric)
language plpgsql as $$
begin
  insert into rm_dfm (dfm_id, title, dfm, pre_script, post_script, note, is_show, short_title,
                      report_icon, report_type, excel_template, user_name, report_date, is_log,
                      is_read_only)
  values (upper(i_dfm_id), i_title, i_dfm, i_pre_script, i_post_script, i_note, i_is_show,
          i_short_title, i_report_icon, i_report_type, i_excel_template, i_user_name,
          i_report_date, i_is_log, coalesce(i_is_read_only, 0));
end $$;

create procedure pck_report.form_update(
  i_dfm_id text, i_title text, i_dfm text, i_pre_script text, i_post_script text, i_note text,
  i_is_show numeric, i_short_title text, i_report_icon bytea, i_report_type numeric,
  i_excel_template bytea, i_user_name text, i_report_date timestamp, i_is_log numeric)
language plpgsql as $$
begin
  update rm_dfm
     set title = i_title, dfm = i_dfm, pre_script = i_pre_script, post_script = i_post_script,
         note = i_note, is_show = i_is_show, short_title = i_short_title,
         report_icon = i_report_icon, report_type = i_report_type,
         excel_template = i_excel_template, user_name = i_user_name,
         report_date = i_report_date, is_log = i_is_log
   where dfm_id = upper(i_dfm_id);
  if not found then
    raise no_data_found using message = format('Форма %s відсутня', i_dfm_id);
  end if;
end $$;

-- Removes the form with everything hanging from it, except its access rows.
create procedure pck_report.form_delete_all(i_dfm_id text)
language plpgsql as $$
declare
  v_dfm_id text := upper(i_dfm_id);
begin
  delete from rm_query_variables qv
   using rm_report r where r.report_id = qv.report_id and r.dfm_id = v_dfm_id;
  delete from rm_pipeline p
   using rm_report r where r.report_id = p.report_id and r.dfm_id = v_dfm_id;
  delete from rm_report where dfm_id = v_dfm_id;
  delete from rmfolder_rmdfm where dfm_id = v_dfm_id;
  delete from rm_dfm where dfm_id = v_dfm_id;
end $$;

create procedure pck_report.report_insert(i_report_id text, i_menu_caption text, i_dfm_id text)
language plpgsql as $$
begin
  insert into rm_report (report_id, dfm_id, menu_caption)
  values (upper(i_report_id), upper(i_dfm_id), i_menu_caption);
end $$;

create procedure pck_report.report_update(i_report_id text, i_dfm_id text, i_menu_caption text)
language plpgsql as $$
begin
  update rm_report set dfm_id = upper(i_dfm_id), menu_caption = i_menu_caption
   where report_id = upper(i_report_id);
  if not found then
    raise no_data_found using message = format('Звіт %s відсутній', i_report_id);
  end if;
end $$;

create procedure pck_report.variables_insert(
  i_variable_id text, i_sql_text text, i_var_title text, i_var_type numeric,
  i_var_field_list text, i_var_field text, i_is_visible numeric, i_var_variants_type numeric,
  i_default_value text, i_is_centralized numeric)
language plpgsql as $$
begin
  insert into rm_variables (variable_id, sql_text, var_title, var_type, var_field_list,
                            var_field, is_visible, var_variants_type, default_value,
                            is_centralized)
  values (upper(i_variable_id), i_sql_text, i_var_title, i_var_type, i_var_field_list,
          i_var_field, i_is_visible, i_var_variants_type, i_default_value, i_is_centralized);
end $$;

create procedure pck_report.variables_update(
  i_variable_id text, i_sql_text text, i_var_title text, i_var_type numeric,
  i_var_field_list text, i_var_field text, i_is_visible numeric, i_var_variants_type numeric,
  i_default_value text)
language plpgsql as $$
begin
  update rm_variables
     set sql_text = i_sql_text, var_title = i_var_title, var_type = i_var_type,
         var_field_list = i_var_field_list, var_field = i_var_field,
         is_visible = i_is_visible, var_variants_type = i_var_variants_type,
         default_value = i_default_value
   where variable_id = upper(i_variable_id);
  if not found then
    raise no_data_found using message = format('Змінна %s відсутня', i_variable_id);
  end if;
end $$;

-- A new pipeline goes to the end of its report's pipelines.
create procedure pck_report.pipeline_insert(
  i_pipeline_id text, i_sql_text text, i_pipeline_name text, i_report_id text,
  i_master_pipeline_id text)
language plpgsql as $$
begin
  insert into rm_pipeline (pipeline_id, report_id, sql_text, pipeline_name, pipeline_order,
                           pipeline_type, master_pipeline_id)
  select upper(i_pipeline_id), upper(i_report_id), i_sql_text, i_pipeline_name,
         coalesce(max(p.pipeline_order), 0) + 1, 0, upper(i_master_pipeline_id)
    from rm_pipeline p
   where p.report_id = upper(i_report_id);
end $$;

create procedure pck_report.pipeline_update(
  i_pipeline_id text, i_sql_text text, i_pipeline_name text, i_pipeline_order numeric,
  i_pipeline_type numeric, i_master_pipeline_id text)
language plpgsql as $$
begin
  update rm_pipeline
     set sql_text = i_sql_text, pipeline_name = i_pipeline_name,
         pipeline_order = i_pipeline_order, pipeline_type = i_pipeline_type,
         master_pipeline_id = upper(i_master_pipeline_id)
   where pipeline_id = upper(i_pipeline_id);
  if not found then
    raise no_data_found using message = format('Конвеєр %s відсутній', i_pipeline_id);
  end if;
end $$;

create procedure pck_report.query_variables_insert(
  i_variable_id text, i_report_id text, i_caption text, i_variable_order numeric)
language plpgsql as $$
begin
  insert into rm_query_variables (variable_id, report_id, caption, variable_order)
  values (upper(i_variable_id), upper(i_report_id), i_caption, i_variable_order);
end $$;

create procedure pck_report.query_variables_update(
  i_variable_id text, i_caption text, i_variable_order numeric)
language plpgsql as $$
begin
  update rm_query_variables set caption = i_caption, variable_order = i_variable_order
   where variable_id = upper(i_variable_id);
  if not found then
    raise no_data_found using message = format('Змінна запиту %s відсутня', i_variable_id);
  end if;
end $$;

create procedure pck_report.dfm_link_insert(i_dst_folder_id text, i_dfm_id text)
language plpgsql as $$
begin
  insert into rmfolder_rmdfm (folder_id, dfm_id)
  values (upper(i_dst_folder_id), upper(i_dfm_id))
  on conflict (folder_id, dfm_id) do nothing;
end $$;

create procedure pck_report.report_access_insert(
  i_role_mask text, i_dfm_id text, i_rm_dfm_access_id text)
language plpgsql as $$
begin
  insert into rm_dfm_access (rm_dfm_access_id, dfm_id, role_mask)
  values (upper(i_rm_dfm_access_id), upper(i_dfm_id), i_role_mask);
end $$;

create procedure pck_report.report_access_update(
  i_role_mask text, i_dfm_id text, i_rm_dfm_access_id text)
language plpgsql as $$
begin
  update rm_dfm_access set dfm_id = upper(i_dfm_id), role_mask = i_role_mask
   where rm_dfm_access_id = upper(i_rm_dfm_access_id);
  if not found then
    raise no_data_found using message = format('Доступ %s відсутній', i_rm_dfm_access_id);
  end if;
end $$;

-- Empty large values read back as null, as a form without that part.
create procedure pck_report.clear_empty_blob()
language plpgsql as $$
begin
  update rm_dfm set dfm = null where dfm = '';
  update rm_dfm set pre_script = null where pre_script = '';
  update rm_dfm set post_script = null where post_script = '';
  update rm_dfm set report_icon = null where length(report_icon) = 0;
  update rm_dfm set excel_template = null where length(excel_template) = 0;
  update rm_pipeline set sql_text = null where sql_text = '';
end $$;
