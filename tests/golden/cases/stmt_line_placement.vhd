entity e is end e;
architecture a of e is
  signal s, t : integer;
begin
  p1: process
    variable v : integer;
  begin
    s <=
      v
      + 1;
    v := 1; s <= v;


    null;

    t <= 2;
    null
    ;
    wait;
  end process p1;
end a;
