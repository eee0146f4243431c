-- Two instances of one entity (n = 3 and n = 10), an operator function,
-- overloaded procedures, two unlabelled processes and concurrent statements.
entity counted is
  generic (n : integer := 3);
  port (total : out integer);
end counted;

architecture a of counted is
  signal clk, s, s2, w : bit;
  signal ticks : integer := 0;
  function "+" (a, b : bit) return bit is
  begin
    return a xor b;
  end "+";
  procedure bump (v : inout integer) is
  begin
    v := v + 1;
  end bump;
  procedure bump (v : inout integer; by : integer) is
  begin v := v + by; end bump;
begin
  process
    variable v : integer := 0;
  begin
    for i in 1 to n loop
      bump (v); bump (v, 2);
      clk <= '1'; wait for 1 ns; clk <= '0'; wait for 1 ns;
    end loop;
    total <= v;
    wait;
  end process;
  process (clk)
  begin
    s <= s + clk;
  end process;
  s2 <= s;
  w <= '1' when clk = '1' else
       '0' when s = '1' else
       '1';
  check: assert s2 = '0' or s2 = '1'
    report "never";
end a;
