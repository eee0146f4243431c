-- A function the counter calls: the value, held at the limit.
package counter_pkg is
  function clamp (v, limit : integer) return integer;
end counter_pkg;

package body counter_pkg is
  function clamp (v, limit : integer) return integer is
  begin
    if v > limit then
      return limit;
    end if;
    return v;
  end clamp;
end counter_pkg;
