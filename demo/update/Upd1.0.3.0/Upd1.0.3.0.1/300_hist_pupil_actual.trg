create or replace function hist_pupil_actual() returns trigger
language plpgsql as $$
begin
  -- A new actual row takes the mark from the pupil's earlier rows.
  if new.is_actual = 1 then
    update hist_pupil set is_actual = 0
     where pupil_id = new.pupil_id and hist_id <> new.hist_id;
  end if;
  return new;
end $$;

create trigger hist_pupil_actual
  after insert on hist_pupil
  for each row execute function hist_pupil_actual();
