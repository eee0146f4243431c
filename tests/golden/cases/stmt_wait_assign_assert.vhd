entity e is end e;
architecture a of e is
  signal clk, s, t : bit;
  signal w : bit_vector (0 to 1);
begin
  p1: process
    variable v1, v2 : bit;
  begin
    wait on clk;
    wait until clk = '1';
    wait for 10 ns;
    wait on clk, s until s = '1' for 5 ns;
    s <= transport '1' after 1 ns, '0' after 2 ns;
    t <= '1', '0' after 3 ns;
    (v1, v2) := w;
    assert v1 = v2 report "differ" severity warning;
    assert v1 = '0';
  end process p1;
end a;
