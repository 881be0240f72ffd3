do $$
declare
  r record;
begin
  if not exists (select 1 from pg_tablespace where spcname = 'qvn_index') then
    return;
  end if;
  for r in
    select n.nspname as index_owner, i.relname as index_name
      from pg_index x
      join pg_class i on i.oid = x.indexrelid
      join pg_class t on t.oid = x.indrelid
      join pg_namespace n on n.oid = i.relnamespace
     where n.nspname = current_user
       and t.relpersistence = 'p'
       and i.reltablespace <> (select oid from pg_tablespace where spcname = 'qvn_index')
  loop
    raise notice '%', r.index_name;
    execute format('alter index %I.%I set tablespace qvn_index', r.index_owner, r.index_name);
  end loop;
end $$;
