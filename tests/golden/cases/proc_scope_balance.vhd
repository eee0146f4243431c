package pk is
  component c
    port (i : in bit);
  end component;
  procedure pr (x : inout integer);
end pk;
package body pk is
  procedure pr (x : inout integer) is
  begin
    case x is
      when 0 =>
        if x = 0 then
          for i in 1 to 2 loop
            x := x + i;
          end loop;
        end if;
      when others =>
        while x > 9 loop
          x := x - 1;
        end loop;
    end case;
  end pr;
end pk;
entity e is
  port (a : in bit);
end e;
architecture s of e is
begin
  b1: block
  begin
    g1: for k in 0 to 1 generate
      p1: process (a)
        variable n : integer;
      begin
        loop
          if a = '1' then
            case k is
              when 0 => n := 1;
              when others => exit;
            end case;
          end if;
        end loop;
      end process p1;
    end generate g1;
  end block b1;
end s;
configuration cf of e is
  for s
  end for;
end cf;
entity f is
  port (a : in bit);
end f;
architecture t of f is
begin
  p2: process (a)
  begin
    null;
  end process p2;
end t;
