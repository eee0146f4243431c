library ieee;
use ieee.std_logic_1164.all;
entity e is
port (a : in bit;
b : out bit);
end e;
architecture rtl of e is
signal s : bit := '0';
constant c : integer := 3;
begin
end rtl;
