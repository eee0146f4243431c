-- Interface subprograms of VHDL-2008 with a default, the box (is <>) or a
-- name (is eq), and an interface package with the defaults of its generics
-- (generic map (default)), which NVC reads and GHDL 2.0 does not; a package
-- that instantiates the generic package with both defaults, and one of its
-- functions that calls them, counted as every function.
package gp is
  generic (type t; function eq (a, b : t) return boolean;
           function "=" (a, b : t) return boolean is <>;
           function same (a, b : t) return boolean is eq);
  function equal (a, b : t) return boolean;
end package gp;
package body gp is
  function equal (a, b : t) return boolean is
  begin
    return same (a, b) and a = b;
  end function equal;
end package body gp;
package ig is new work.gp generic map (t => integer, eq => "=");
package dp is
  generic (n : natural := 4);
end package dp;
package id is
  generic (package g is new work.dp generic map (default));
end package id;
