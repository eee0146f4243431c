entity e is end e;
architecture a of e is
begin
  p: process
    variable n : integer := 0;
    procedure inc (v : inout integer) is
    begin
      v := v + 1;
    end inc;
    function twice (x : integer) return integer is
    begin
      return 2 * x;
    end twice;
  begin
    inc (n);
    n := twice (n);
    wait;
  end process p;
end a;
