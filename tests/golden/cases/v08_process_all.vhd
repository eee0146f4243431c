-- process (all) is counted as every process: its head, its statements and
-- the branches of its if.
library ieee;
use ieee.std_logic_1164.all;
entity pa is
  port (a, b : in std_logic; y : out std_logic);
end entity pa;
architecture a of pa is
begin
  comb : process (all) is
  begin
    if a = '1' then
      y <= b;
    else
      y <= '0';
    end if;
  end process comb;
  process (ALL)
  begin
    null;
  end process;
end architecture a;
