package shapes is
  type point is record
    x, y : integer;
  end record;
  type grid is array (1 to 2, 1 to 3) of integer;
  type vec is array (natural range <>) of integer;
  type vec_ptr is access vec;
  type point_ptr is access point;
  function "+" (l, r : point) return point;
  constant origin : point := (0, 0);
  constant corner : point := (x => 1, y => 2);
  constant diag : point := (x | y => 5);
  constant mixed : point := (3, y => 4);
  constant g : grid := ((1, 2, 3), (others => 0));
  constant row : vec (0 to 4) := (0 => 9, 1 to 3 => 1, others => 0);
  constant all_ones : vec (0 to 1) := (others => 1);
  constant q1 : point := point'(1, 1);
  constant q2 : integer := integer'(2 + 3);
  constant a_len : integer := row'length + row'left;
  constant conv : integer := integer (2.6) + integer (real (a_len));
end shapes;
package body shapes is
  function "+" (l, r : point) return point is
  begin
    return (l.x + r.x, l.y + r.y);
  end "+";
end shapes;
use work.shapes.all;
entity names is
  port (clk : in bit);
end names;
architecture rtl of names is
  signal words : vec (0 to 7);
  signal rev : vec (7 downto 0);
  constant hi_val : integer := integer'high;
  constant pos3 : integer := character'pos ('A') + origin.x;
begin
  process (clk)
    variable p : point_ptr := null;
    variable v : vec_ptr;
    variable sum : point;
    variable el : integer;
  begin
    p := new point;
    p := new point'(1, 2);
    v := new vec (0 to 3);
    v := new vec'(5, 6, 7);
    sum := "+" (origin, corner) + p.all;
    el := g (2, 3) + row (1) + v.all (0) + p.x + work.shapes.origin.y;
    words (0 to 3) <= row (1 to 4);
    rev (7 downto 4) <= rev (3 downto 0);
    if clk'event and clk = '1' and not clk'stable then
      for i in words'range loop
        el := el + words (i);
      end loop;
    end if;
    deallocate (p);
  end process;
end rtl;
