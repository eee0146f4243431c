architecture rtl of reg is
begin
  p1: process (clk, rst)
  begin
    if rst = '1' then
      q <= '0';
    else
      q <= d after 2 ns;
    end if;
  end process p1;
end rtl;
