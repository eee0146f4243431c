-- Every closer of VHDL-93 with its keyword and its name.
package p is
  type rec is record
    a : integer;
  end record rec;
  type dist is range 0 to 1000
    units
      mm;
      cm = 10 mm;
    end units dist;
  function f (x : integer) return integer;
  procedure q (x : inout integer);
end package p;

package body p is
  function f (x : integer) return integer is
  begin
    return x;
  end function f;
  procedure q (x : inout integer) is
  begin
    x := x + 1;
  end procedure q;
end package body p;

entity e is
end entity e;

architecture a of e is
  component c is
  end component c;
begin
  b: block is
  begin
  end block b;
  g: for i in 0 to 1 generate
  end generate g;
  pr: process is
    variable v : integer := 0;
  begin
    l1: if v = 0 then
      v := 1;
    end if l1;
    l2: case v is
      when 1 => v := 2;
      when others => null;
    end case l2;
    wait;
  end process pr;
end architecture a;

configuration cf of e is
  for a
  end for;
end configuration cf;
