do $$
declare
  r record;
begin
  for r in
    select schemaname, tablename from pg_tables where tableowner = current_user
  loop
    execute format('analyze %I.%I', r.schemaname, r.tablename);
  end loop;
end $$;
