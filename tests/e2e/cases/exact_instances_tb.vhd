-- The testbench of exact_instances: the two instances, and a check of the
-- totals that they computed (3 per iteration).
entity counted_tb is end counted_tb;
architecture t of counted_tb is
  component counted generic (n : integer); port (total : out integer); end component;
  for all : counted use entity work.counted(a);
  signal t1, t2 : integer;
begin
  i1: counted generic map (3) port map (t1);
  i2: counted generic map (10) port map (t2);
  process
  begin
    wait for 100 ns;
    assert t1 = 9 and t2 = 30 report "totals wrong" severity failure;
    wait;
  end process;
end t;
