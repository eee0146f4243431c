-- A testbench that ends with a failing assertion of severity failure, a
-- procedure that waits, one function called from two processes, a guarded
-- assignment, and the concurrent statements that are not counted.
entity stopper is end stopper;
architecture a of stopper is
  signal clk : bit := '0';
  signal q, d, sel_out : bit := '0';
  signal count : integer := 0;
  function twice (x : integer) return integer is
  begin
    return 2 * x;
  end twice;
  procedure tick (signal c : out bit) is
  begin
    c <= '1'; wait for 5 ns;
    c <= '0'; wait for 5 ns;
  end tick;
  procedure note_it (x : integer) is
  begin
    null;
  end note_it;
begin
  clock: process
  begin
    tick (clk);
    count <= twice (count) + 1;
  end process clock;
  b: block (clk = '1' and not clk'stable)
  begin
    q <= guarded d;
  end block b;
  with clk select sel_out <= d when '1', '0' when others;
  note_it (count);
  mirror: process (count)
    variable seen : integer := 0;
  begin
    seen := twice (seen) + count;
  end process mirror;
  stop: process
  begin
    wait for 37 ns;
    assert count < 7 report "end of test" severity failure;
    wait;
  end process stop;
end a;
