package pk is
  function f (a : integer) return integer;
  function "+" (a, b : bit) return bit;
  procedure pr (x : in integer; y : out integer);
end pk;
package body pk is
  function f (a : integer) return integer is
    variable r : integer;
  begin
    r := a * 2;
    return r
    ;
  end f;
  function "+" (a, b : bit) return bit is
  begin
    return a or b;
  end "+";
  procedure pr (x : in integer; y : out integer) is
    procedure inner is
    begin
      null;
    end inner;
  begin
    inner;
    y := f (x);
    return;
  end pr;
end pk;
