entity e is end e;
architecture a of e is
  signal b, y : bit;
  signal sel : integer;
begin
  p1: process (b, sel)
  begin
    case b is
      when '0' =>
        y <= '0';
      when '1' =>
        y <= '1';
    end case;
    case sel is
      when 0 | 1 => y <= '1';
      when 2 | 3 | 4 =>
        null;
      when others => null;
    end case;
  end process p1;
end a;
