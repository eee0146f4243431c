-- Selected assignments of VHDL-2008 in sequential code, to a signal, to a
-- variable, matching (select?) and labelled: each counted as one statement
-- every time it runs, whichever choice it takes.
library ieee;
use ieee.std_logic_1164.all;
entity v08_selected is
end entity v08_selected;
architecture a of v08_selected is
  signal s : std_ulogic_vector (1 downto 0) := "00";
  signal t : integer := 0;
  signal q : std_ulogic := '0';
begin
  stim : process is
  begin
    s <= "01";
    wait for 10 ns;
    s <= "11";
    wait for 10 ns;
    s <= "00";
    wait;
  end process stim;
  sel : process (s) is
    variable v : integer := 0;
  begin
    with s select t <= 1 when "00", 2 when "01", 3 when others;
    with s select? q <= '1' when "1-", '0' when others;
    l : with s select
      v := v + 1 when "11",
           v + 10 when others;
    report "v = " & integer'image (v);
  end process sel;
end architecture a;
