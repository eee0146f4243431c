entity e is end e;
architecture a of e is
  signal s : bit;
begin
  p1: process
    procedure pr (v : in bit) is
    begin
      s <= v;
    end pr;
    function "+" (a, b : bit) return bit;
    function "+" (a, b : bit) return bit is
    begin
      return a xor b;
    end "+";
  begin
    pr ('1');
    pr (s + '1');
    wait;
  end process p1;
end a;
