entity e is end e;
architecture a of e is
begin
  p1: process
    variable i : integer;
  begin
    loop
      i := i + 1;
      exit when i > 9;
    end loop;
    while i > 0 loop
      i := i - 1;
    end loop;
    outer: for k in 1 to 3 loop
      inner: for j in 0 to k loop
        next outer when j = 2;
        exit inner;
        next;
      end loop inner;
      exit;
    end loop outer;
    wait;
  end process p1;
end a;
