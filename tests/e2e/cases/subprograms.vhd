-- A function in a package body and a procedure in a process: each call
-- opens the subprogram's trace file again, so it keeps the last call only.
package util is
  function clip (x : integer) return integer;
end util;

package body util is
  function clip (x : integer) return integer is
  begin
    if x > 10 then
      return 10;
    elsif x < 0 then
      return 0;
    end if;
    return x;
  end clip;
end util;

use work.util.all;

entity subprograms is
end subprograms;

architecture a of subprograms is
begin
  p: process
    variable total : integer := 0;

    procedure add (v : inout integer; n : integer) is
    begin
      for i in 1 to n loop
        v := v + 1;
      end loop;
    end add;
  begin
    total := clip (20);
    total := total + clip (-5);
    total := total + clip (4);
    add (total, 3);
    add (total, 2);
    assert total = 19 report "total" severity failure;
    wait;
  end process p;
end a;
