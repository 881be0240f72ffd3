create or replace function class_size(p_class_id integer) returns integer
language plpgsql stable as $$
declare
  v_count integer;
begin
  select count(*) into v_count from pupil where class_id = p_class_id;
  return v_count;
end $$;
