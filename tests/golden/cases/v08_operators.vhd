-- The operators of VHDL-2008: matching relations, unary reductions of every
-- logical operator (or x, as not x), and the condition operator (??) before
-- a primary.
library ieee;
use ieee.std_logic_1164.all;
entity op is
end entity op;
architecture a of op is
  signal v, w : std_logic_vector(3 downto 0);
  signal r : std_logic;
  signal t : boolean;
begin
  process (v, w, r)
  begin
    r <= v(0) ?= w(0);
    r <= v(0) ?/= w(0);
    r <= v(1) ?< w(1) or v(1) ?<= w(1);
    r <= v(2) ?> w(2) and v(2) ?>= w(2);
    r <= or v;
    r <= and v xor nand w;
    r <= nor v or xor w or xnor (v);
    t <= ?? r;
    if ?? (r and v(0)) then
      t <= not t;
    end if;
    while ?? r loop
      exit;
    end loop;
  end process;
end architecture a;
