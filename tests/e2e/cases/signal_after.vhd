-- Signal assignments with after clauses: a waveform of three elements, one
-- over two lines, a transport delay, and an inertial assignment that a later
-- one cancels, each watched by a process.
entity signal_after is
end signal_after;

architecture a of signal_after is
  signal s : integer := 0;
  signal t, u : bit := '0';
begin
  driver: process
  begin
    s <= 1 after 10 ns, 2 after 20 ns, 3 after 30 ns;
    t <= transport '1' after 5 ns;
    u <= '1' after 10 ns;
    wait for 2 ns;
    u <= '0' after 10 ns;
    wait for 98 ns;
    s <= 4 after 1 ns,
         5 after 2 ns;
    wait;
  end process driver;

  monitor: process (s)
    variable seen : integer := 0;
  begin
    seen := seen + 1;
  end process monitor;

  edge: process
  begin
    wait on t;
    assert now = 5 ns report "transport delay" severity failure;
    wait on t;
  end process edge;

  quiet: process (u)
  begin
    assert u = '0' report "cancelled transaction" severity failure;
  end process quiet;
end a;
