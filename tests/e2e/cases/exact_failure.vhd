-- A failing assertion of severity failure inside a loop ends the simulation:
-- the counts up to it, its own included, are written in front of it. A
-- failing assertion of severity error does not end it and writes nothing.
entity failing is end failing;
architecture a of failing is
begin
  p: process
    variable v : integer := 0;
  begin
    wait for 1 ns;
    for i in 1 to 1000000 loop
      v := v + i mod 7;
      assert i < 300000 report "stops at i = 300000" severity failure;
    end loop;
    wait;
  end process p;
  q: process
    variable n : integer := 0;
  begin
    while n < 5 loop
      n := n + 1;
      assert n /= 3 report "error at n = 3, not the end" severity error;
      exit when n = 4;
    end loop;
    wait;
  end process q;
end a;
