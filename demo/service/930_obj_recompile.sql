do $$
declare
  r record;
begin
  for r in
    select p.oid
      from pg_proc p
      join pg_namespace n on n.oid = p.pronamespace
      join pg_language l on l.oid = p.prolang
     where pg_get_userbyid(n.nspowner) = current_user
       and l.lanname = 'plpgsql'
  loop
    perform plpgsql_validator(r.oid);
  end loop;
end $$;
