-- A simulation ended by std.env.finish, called in a procedure that a
-- process calls at every change of a signal: the counts of the call that
-- finishes, of its branch and of the statements before it are all kept.
entity v08_env_finish is
end entity v08_env_finish;
architecture a of v08_env_finish is
  signal tick : natural := 0;
  procedure finish_at (limit, k : natural) is
  begin
    if k = limit then
      report "finishing at " & integer'image (k);
      std.env.finish;
    end if;
  end procedure finish_at;
begin
  ticker : process is
    variable i : natural := 0;
  begin
    i := i + 1;
    tick <= i;
    wait for 10 ns;
  end process ticker;
  watch : process (tick) is
  begin
    finish_at (4, tick);
  end process watch;
end architecture a;
