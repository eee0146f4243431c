-- A counter that counts up to its limit and down without a bound.
use work.counter_pkg.all;

entity counter is
  generic (limit : integer := 3);
  port (clk, up, down : in bit; value : out integer);
end counter;

architecture rtl of counter is
begin
  count: process (clk)
    variable n : integer := 0;
  begin
    if clk = '1' then
      if up = '1' then
        n := clamp (n + 1, limit);
      elsif down = '1' then
        n := n - 1;
      end if;
      value <= n;
    end if;
  end process count;
end rtl;
