-- Wait statements: timeouts, sensitivity lists, conditions with and without
-- a timeout, a process with a sensitivity list, and a wait that the bounded
-- simulation never sees end.
entity waits is
end waits;

architecture a of waits is
  signal clk, go : bit := '0';
  signal ticks : integer := 0;
begin
  clock: process
  begin
    for i in 1 to 6 loop
      clk <= '1';
      wait for 5 ns;
      clk <= '0';
      wait for 5 ns;
    end loop;
    wait;
  end process clock;

  counter: process (clk)
  begin
    if clk = '1' then
      ticks <= ticks + 1;
    end if;
  end process counter;

  watcher: process
  begin
    wait on go for 15 ns;
    wait until ticks = 3;
    go <= '1' after 2 ns;
    wait on go;
    while ticks < 6 loop
      wait until clk = '1' for 100 ns;
    end loop;
    assert now = 150 ns report "timeout of the last wait" severity failure;
    wait for 1 us;
    null;
  end process watcher;
end a;
