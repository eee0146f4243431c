-- VHDL-2008 as it is counted: an if-generate with elsif and else arms and
-- labels, a case-generate, the matching case statement, and signals forced
-- and released; the processes of the arms that the generic chooses run, the
-- statements of the others count nothing.
library ieee;
use ieee.std_logic_1164.all;
use ieee.numeric_std.all;
entity v08_arms is
  generic (mode : natural := 2);
end entity v08_arms;
architecture a of v08_arms is
  signal s : std_ulogic_vector (1 downto 0) := "00";
  signal q : std_ulogic := '0';
  signal hits, other_hits : natural := 0;
begin
  stim : process is
  begin
    for i in 0 to 3 loop
      s <= std_ulogic_vector (to_unsigned (i, 2));
      wait for 10 ns;
    end loop;
    wait;
  end process stim;
  g : if one : mode = 1 generate
    hits <= 1;
  elsif two : mode = 2 generate
    watch : process (s) is
    begin
      case? s is
        when "1-" => hits <= hits + 1;
        when "01" => q <= force '1';
        when others => q <= release;
      end case?;
    end process watch;
  end two;
  else generate
    hits <= 3;
  end generate g;
  c : case mode generate
    when 1 =>
      other_hits <= 1;
    when others =>
      count : process (s) is
      begin
        if s (0) = '1' then
          other_hits <= other_hits + 1;
        end if;
      end process count;
  end generate c;
end architecture a;
