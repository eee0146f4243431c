-- Declarations of VHDL-93: pure and impure functions, shared variables,
-- file declarations, aliases of non-objects with signatures, groups,
-- attributes of the new entity classes, file parameters.
use std.textio.all;
package decl is
  shared variable count : integer := 0;
  pure function twice (x : integer) return integer;
  impure function next_count return integer;
  procedure dump (file f : text; x : integer);
  alias double is twice [integer return integer];
  alias "+" is std.standard."+" [integer, integer return integer];
  group pair is (signal, signal);
  group ports is (signal <>);
  attribute mark : string;
  attribute mark of twice [integer return integer] : function is "math";
end decl;

package body decl is
  file log : text open write_mode is "decl.log";
  file cfg : text is "decl.cfg";
  file later : text;
  pure function twice (x : integer) return integer is
  begin
    return 2 * x;
  end twice;
  impure function next_count return integer is
  begin
    count := count + 1;
    return count;
  end next_count;
  procedure dump (file f : text; x : integer) is
    variable l : line;
  begin
    write (l, x);
    writeline (f, l);
  end dump;
end decl;

use work.decl.all;
entity holder is
  port (a, b : in bit);
  group both : pair (a, b);
  attribute mark of both : group is "pins";
end holder;
