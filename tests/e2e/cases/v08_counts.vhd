context v08_ctx is
  library ieee;
  use ieee.std_logic_1164.all, ieee.numeric_std.all;
end context v08_ctx;
context work.v08_ctx;
package v08_counter is
  type counter is protected
    procedure bump (by : integer := 1);
    impure function value return integer;
  end protected counter;
end package v08_counter;
package body v08_counter is
  type counter is protected body
    variable n : integer := 0;
    procedure bump (by : integer := 1) is
    begin
      n := n + by;
    end procedure;
    impure function value return integer is
    begin
      return n;
    end function value;
  end protected body counter;
end package body v08_counter;
context work.v08_ctx;
use work.v08_counter.all;
entity v08_counts is
end entity v08_counts;
architecture a of v08_counts is
  signal v : std_logic_vector(3 downto 0) := "0000";
  signal y, r : std_logic;
  shared variable c : counter;
begin
  comb : process (all) is
  begin
    y <= '1' when v ?= "0011" else '0';
    r <= or v;
  end process comb;
  stim : process is
    variable k : integer := 0;
  begin
    for i in 1 to 3 loop
      v <= std_logic_vector(to_unsigned(i, 4));
      c.bump(i);
      wait for 10 ns;
    end loop;
    k := c.value when ?? r else 0;
    c.bump;
    k := k + 1 when k = 0;
    assert k = 6 and c.value = 7 report "wrong sum" severity failure;
    wait;
  end process stim;
end architecture a;
