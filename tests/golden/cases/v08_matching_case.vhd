-- The matching case statement of VHDL-2008 (case?, its alternatives counted
-- as those of a case statement, with and without a label and the closer's
-- label) and signals forced and released in sequential code, each counted
-- as a signal assignment.
library ieee;
use ieee.std_logic_1164.all;
entity mc is
end entity mc;
architecture a of mc is
  signal s : std_ulogic_vector (1 downto 0);
  signal q : std_ulogic;
begin
  process (s) is
    variable v : integer;
  begin
    case? s is
      when "1-" => v := 1;
      when "01" =>
        v := 2;
        q <= force '1';
      when others => null;
    end case?;
    l2 : case? s is
      when "1-" => v := 3;
      when others => v := 4;
    end case? l2;
    if v = 3 then
      q <= release;
    end if;
  end process;
end architecture a;
