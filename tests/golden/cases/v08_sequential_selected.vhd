-- Selected assignments of VHDL-2008 in sequential code, to signals and to
-- variables, their matching form (select?), one with a label, and the
-- forms of forcing NVC reads and GHDL 2.0 does not (a force mode, a
-- conditional force); each counted as one statement.
library ieee;
use ieee.std_logic_1164.all;
entity ss is
end entity ss;
architecture a of ss is
  signal s : std_ulogic_vector (1 downto 0);
  signal t, u : integer;
  signal q : std_ulogic;
begin
  process (s, t) is
    variable v : integer;
  begin
    with s select t <= 1 when "00", 2 when "01" | "10", 3 when others;
    with t select
      v := 10 when 0 to 3,
           20 when others;
    with s select? q <= '1' when "1-", '0' when others;
    l1 : with t select u <= v when 1, 0 when others;
    q <= force in '0' when t = 1 else '1' when t = 2;
    q <= release out;
  end process;
end architecture a;
