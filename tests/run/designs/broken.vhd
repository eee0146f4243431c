-- A design with a syntax error on line 7: an expression without its last operand.
entity broken is
end broken;

architecture rtl of broken is
begin
  p: process variable x : integer; begin x := 1 +; wait; end process p;
end rtl;
