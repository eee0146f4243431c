-- Interfaces and constraints of VHDL-2008: interface packages, a package
-- header's generic map, element resolution in the declarations of
-- signals, constants, variables, ports and record elements, and partial and
-- open constraints.
package gp is
  generic (type t; function eq (a, b : t) return boolean);
end package gp;
package ip is
  generic (package g is new work.gp generic map (<>));
end package ip;
package ia is
  generic (package g is new work.gp generic map (t => integer, eq => "="));
end package ia;
package hm is
  generic (n : natural);
  generic map (n => 4);
  constant width : natural := n;
end package hm;
library ieee;
use ieee.std_logic_1164.all;
entity er is
  port (d : in (resolved) std_ulogic_vector (3 downto 0));
end entity er;
architecture a of er is
  type word_array is array (natural range <>) of std_ulogic_vector;
  type pair is record
    x : (resolved) std_ulogic_vector (1 downto 0);
  end record pair;
  subtype words is word_array (open) (7 downto 0);
  signal s : (resolved) std_ulogic_vector (3 downto 0);
  signal w : word_array (0 to 1) (7 downto 0);
  signal ws : words (0 to 3);
  constant c : (resolved) std_ulogic_vector := "01";
begin
  process (d) is
    variable v : ((resolved)) word_array (0 to 0) (1 downto 0);
    variable p : pair;
  begin
    s <= d;
    v (0) := c;
    p.x := c;
  end process;
end architecture a;
