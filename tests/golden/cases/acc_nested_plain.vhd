package util is
  procedure outer (v : inout integer);
end util;
package body util is
  procedure outer (v : inout integer) is
    function twice (x : integer) return integer is
    begin
      return 2 * x;
    end twice;
    procedure inc (w : inout integer) is
    begin
      w := w + 1;
    end inc;
  begin
    inc (v);
    v := twice (v);
  end outer;
end util;
