do $$
declare
  r record;
begin
  if not exists (select 1 from pg_tablespace where spcname = 'qvn_blob') then
    return;
  end if;
  for r in
    select distinct c.table_schema, c.table_name
      from information_schema.columns c
      join information_schema.tables t
        on t.table_schema = c.table_schema and t.table_name = c.table_name
     where c.table_schema = current_user
       and t.table_type = 'BASE TABLE'
       and c.data_type in ('bytea', 'text')
  loop
    begin
      execute format('alter table %I.%I set tablespace qvn_blob', r.table_schema, r.table_name);
    exception
      when others then null;
    end;
  end loop;
end $$;
