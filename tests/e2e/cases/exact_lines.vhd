-- Writes of few counters write a line made beforehand when each counted 0
-- or 1 since the last write (cell, and sum when the clock is low), and the
-- counters one by one when one counted more (sum's loop when it is high) or
-- when the write looks at more of them than it has lines for (many).
entity lines is end lines;
architecture a of lines is
  signal clk : bit := '0';
  signal n : integer := 0;
begin
  clock: process
  begin
    for i in 1 to 4 loop
      clk <= '1';
      wait for 5 ns;
      clk <= '0';
      wait for 5 ns;
    end loop;
    wait;
  end process clock;
  cell: process (clk)
    variable k : integer := 0;
  begin
    if clk = '1' then
      k := k + 1;
      if k mod 2 = 0 then
        n <= k;
      end if;
    end if;
  end process cell;
  sum: process (clk)
    variable s : integer := 0;
  begin
    if clk = '1' then
      for j in 1 to 3 loop
        s := s + j;
      end loop;
    end if;
  end process sum;
  many: process
    variable v : integer := 0;
  begin
    wait on n;
    if n = 2 then v := 1; else v := 2; end if;
    if v = 1 then v := 3; else v := 4; end if;
    if v = 3 then v := 5; else v := 6; end if;
    if v = 5 then v := 7; else v := 8; end if;
  end process many;
end a;
