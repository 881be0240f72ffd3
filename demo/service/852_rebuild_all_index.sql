do $$
declare
  r record;
begin
  for r in
    select n.nspname as index_owner, i.relname as index_name
      from pg_class i
      join pg_namespace n on n.oid = i.relnamespace
     where i.relkind = 'i'
       and n.nspname = current_user
  loop
    begin
      execute format('reindex index %I.%I', r.index_owner, r.index_name);
    exception
      when others then null;
    end;
  end loop;
end $$;
