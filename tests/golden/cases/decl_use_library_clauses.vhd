library std, work;
use std.standard.all, work.all;
package ops is use std.standard.all;
  type vec is array (natural range <>) of bit;
  function "+" (a, b : vec) return vec;
  constant unit : integer := 1; use std.standard.integer;
end ops;
package body ops is use work.ops.all;
  function "+" (a, b : vec) return vec is use work.ops.vec;
  begin
    return a;
  end "+";
end ops;
library work; use work.ops."+"; use work.ops.unit,
  work.ops.vec;
entity user is use work.ops.all;
end user;
architecture a of user is use work.ops.all;
  signal s : vec (0 to 1);
  use std.standard.all;
begin
  p : process use work.ops.all;
  begin
    s <= s + s;
    wait;
  end process;
end a;
