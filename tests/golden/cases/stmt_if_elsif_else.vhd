entity e is end e;
architecture a of e is
  signal x, y : bit;
begin
  p1: process (x)
  begin
    if x = '1' then
      y <= '1';
    elsif x = '0' then
      y <= '0';
    elsif y = '1' then
      null;
    else
      if y = '0' then
        y <= x;
      end if;
    end if;
  end process p1;
end a;
