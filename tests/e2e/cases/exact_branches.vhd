-- Branches: if with elsif and else, if without else, case, exit when,
-- next when, while, and a conditional concurrent assignment.
entity branches is end branches;
architecture a of branches is
  signal s, t : integer := 0;
begin
  p: process
    variable v : integer := 0;
  begin
    for i in 1 to 5 loop
      if i = 1 then v := v + 1; elsif i = 2 then v := v + 2; else v := v + 3; end if;
      if i > 3 then
        v := v + 10;
      end if;
      case i is
        when 1 | 2 => v := v + 1;
        when others => null;
      end case;
      exit when i = 4;
      next when i = 2;
      while v < 0 loop v := v + 1; end loop;
    end loop;
    s <= v;
    wait;
  end process;
  t <= 1 when s > 100 else
       2 when s > 10 else
       3;
end a;
