-- Line breaks in front of ',', ';', ':' and '.', some of which the
-- translator drops; a statement still counts the line of its ';'.
package defs is
  type pair is record
    a
    , b : integer;
  end record;
end defs;

use work.defs.all;

entity line_breaks is
end line_breaks;

architecture a of line_breaks is
  signal s
    : integer := 0;
begin
  p: process
    variable v : pair;
    variable n : integer := 0;
  begin
    for i in 1 to 2 loop
      v.a := i
      ;
      v
      .b := v.a;
      n := n + v.b
        ;
      null
      ;
    end loop;
    s <= n
      ;
    wait for 1 ns
    ;
    assert s = 3 report "sum" severity failure
    ;
    wait;
  end process p;
end a;
