-- Only the latest history row of a pupil is the actual one.
update hist_pupil h
   set is_actual = 0
 where exists (select 1
                 from hist_pupil n
                where n.pupil_id = h.pupil_id
                  and n.actual_date > h.actual_date);
