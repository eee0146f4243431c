-- Run with corvane -a: every subprogram body keeps one trace file over all
-- its calls, declared where the body stands (package body, architecture,
-- process); a subprogram nested in another one has its file declared in the
-- outer subprogram, so that file is opened again at every outer call.
package accu is
  function clip (x : integer) return integer;
  function sum3 (a, b, c : integer) return integer;
  procedure bump (v : inout integer; n : integer);
  function scale (x : integer) return integer;
end accu;

package body accu is
  function clip (x : integer) return integer is
  begin
    if x > 10 then
      return 10;
    end if;
    return x;
  end clip;

  function sum3 (a, b, c : integer) return integer is
    variable s : integer;
  begin
    s := clip (a);
    s := s + clip (b);
    return s + clip (c);
  end sum3;

  procedure bump (v : inout integer; n : integer) is
    procedure step (w : inout integer) is
    begin
      w := w + 1;
    end step;
  begin
    for i in 1 to n loop
      step (v);
    end loop;
  end bump;

  function scale (x : integer) return integer is
    function half (y : integer) return integer is
    begin
      return y / 2;
    end half;
  begin
    return half (x) + half (x);
  end scale;
end accu;

use work.accu.all;

entity accumulate_calls is
end accumulate_calls;

architecture a of accumulate_calls is
  function double (x : integer) return integer is
  begin
    return 2 * x;
  end double;

  procedure accumulate (v : inout integer; n : integer) is
  begin
    v := v + n;
  end accumulate;
begin
  p: process
    variable t : integer := 0;

    procedure inc (v : inout integer) is
    begin
      v := v + 1;
    end inc;

    function neg (x : integer) return integer is
    begin
      return - x;
    end neg;
  begin
    inc (t);
    inc (t);
    inc (t);
    t := t + neg (1) + neg (2) + neg (3);
    t := double (t) + double (1) + double (2);
    accumulate (t, 5);
    accumulate (t, 6);
    accumulate (t, 7);
    t := t + sum3 (20, 4, 30);
    bump (t, 3);
    bump (t, 2);
    t := t + scale (4) + scale (6);
    assert t = 57 report "t" severity failure;
    wait;
  end process p;
end a;
