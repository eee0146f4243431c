-- Case alternatives with a single choice, a list of choices, a range and
-- others, over an integer and over an enumeration type.
package colours is
  type colour is (red, green, blue);
end colours;

use work.colours.all;

entity case_alternatives is
end case_alternatives;

architecture a of case_alternatives is
begin
  p: process
    variable one, list, range_hit, other, r, g, b : integer := 0;
    variable c : colour;
  begin
    for i in 0 to 9 loop
      case i is
        when 1 => one := one + 1;
        when 0 | 7 =>
          list := list + 1;
        when 3 to 5 =>
          range_hit := range_hit + 1;
        when others =>
          other := other + 1;
      end case;
    end loop;
    for k in 0 to 5 loop
      c := colour'val (k mod 3);
      case c is
        when red => r := r + 1;
        when green => g := g + 1;
        when blue => null;
      end case;
    end loop;
    assert one = 1 and list = 2 and range_hit = 3 and other = 4
      report "case counts" severity failure;
    wait;
  end process p;
end a;
