entity e is end e;
architecture a of e is
  signal clk : bit;
begin
  p0: process (clk)
  begin
  end process p0;
  process (clk) begin end process;
end a;
