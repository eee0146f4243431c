-- Bit string literals of VHDL-2008: a length in front of the base, the
-- unsigned and signed bases, the decimal base, values with characters that
-- stand for themselves, kept as they are written.
library ieee;
use ieee.std_logic_1164.all;
entity bs is
end entity bs;
architecture a of bs is
  constant c1 : std_ulogic_vector (7 downto 0) := 8x"F";
  constant c2 : std_ulogic_vector (11 downto 0) := 12SX"F";
  constant c3 : std_ulogic_vector (3 downto 0) := UB"0101";
  constant c4 : std_ulogic_vector (3 downto 0) := 4d"12";
  constant c5 : std_ulogic_vector (7 downto 0) := X"Z-";
  constant c6 : bit_vector (5 downto 0) := 6Uo"7_7";
  signal s : std_ulogic_vector (7 downto 0);
begin
  process is
  begin
    s <= c1 or 8SB"1" or (c3 & c4);
    assert c2 = x"FFF" and c5 = "ZZZZ----" and c6 = "111111";
    wait;
  end process;
end architecture a;
