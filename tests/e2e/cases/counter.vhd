-- A counter from 0 to 3 with a synchronous reset; its testbench, in
-- counter_tb.vhd, is simulated as it stands.
entity counter is
  port (clk, rst : in bit; q : out integer);
end counter;

architecture rtl of counter is
begin
  count: process (clk)
    variable n : integer := 0;
  begin
    if clk = '1' then
      if rst = '1' then
        n := 0;
      elsif n = 3 then
        n := 0;
      else
        n := n + 1;
      end if;
      q <= n;
    end if;
  end process count;
end rtl;
