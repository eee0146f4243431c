package util is
  procedure inc (v : inout integer);
  function twice (x : integer) return integer;
end util;
package body util is
  procedure inc (v : inout integer) is
  begin
    v := v + 1;
  end inc;
  function twice (x : integer) return integer is
  begin
    return 2 * x;
  end twice;
end util;
