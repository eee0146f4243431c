-- Selected assignments of VHDL-2008 in sequential code with a delay
-- mechanism and with force, which corvane reads though neither simulator at
-- hand does (GHDL 2.0 has no sequential selected assignment, NVC neither of
-- these two forms): their regeneration is checked here only.
library ieee;
use ieee.std_logic_1164.all;
entity sd is
end entity sd;
architecture a of sd is
  signal t, u : integer;
  signal q : std_ulogic;
begin
  process (t) is
  begin
    with t select u <= transport t after 1 ns when 1, 0 when others;
    with t select u <= reject 1 ns inertial t after 2 ns when 1, unaffected when others;
    with t select q <= force out '1' when 1, '0' when others;
  end process;
end architecture a;
