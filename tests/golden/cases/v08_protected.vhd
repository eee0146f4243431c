-- A protected type of VHDL-2008: its declaration with the methods, and its
-- body, whose methods are subprogram bodies counted as those are; the
-- closers with and without the name.
package pt is
  type counter is protected
    procedure bump (by : integer := 1);
    impure function value return integer;
  end protected;
end package pt;
package body pt is
  type counter is protected body
    variable n : integer := 0;
    procedure bump (by : integer := 1) is
    begin
      n := n + by;
    end procedure;
    impure function value return integer is
    begin
      return n;
    end function value;
  end protected body counter;
end package body pt;
