-- Counts kept in memory and written where a process may stop: a loop-heavy
-- process cut by the stop time, a procedure that waits, a function called a
-- million times, a process that never suspends before its end, and names
-- like those of the counts in nested scopes.
entity suspend is end suspend;
architecture a of suspend is
  signal done : integer := 0;
  function f (i : integer) return integer is
    variable c : integer;
  begin
    if i mod 4 = 0 then
      c := 2;
    else
      c := 1;
    end if;
    return c;
  end f;
  procedure settle (n : inout integer; delay : time) is
  begin
    n := n + 1;
    wait for delay;
    n := n + 10;
  end settle;
begin
  heavy: process
    variable v : integer := 0;
  begin
    for k in 1 to 100 loop
      for i in 1 to 1000 loop
        v := v + 1;
      end loop;
      wait for 1 ns;
    end loop;
    done <= v;
    wait;
  end process heavy;
  calls: process
    variable total : integer := 0;
  begin
    for i in 1 to 1000000 loop
      total := total + f (i);
    end loop;
    assert total = 1250000 report "wrong total" severity failure;
    wait;
  end process calls;
  waiter: process
    variable n : integer := 0;
  begin
    settle (n, 2 ns);
    settle (n, 3 ns);
    settle (n, 4 ns);
    n := n + 100;
    wait;
  end process waiter;
  nested: process
    variable keys, firsts, lows, highs, newline, trace : integer := 0;
    type table is array (1 to 3) of integer;
    variable counts : table := (others => 0);
    procedure put (c : inout table; f : integer) is
      variable image : integer := f;
      function corvane (x : integer) return integer is
        variable table : integer := x;
      begin
        return table + 1;
      end corvane;
    begin
      c (1) := corvane (image);
    end put;
  begin
    put (counts, 4);
    keys := counts (1);
    wait;
  end process nested;
end a;
