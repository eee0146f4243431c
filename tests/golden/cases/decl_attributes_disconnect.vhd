package attrs is
  attribute pin : integer;
  attribute author : string;
  function resolve_or (v : bit_vector) return bit;
  subtype rbit is resolve_or bit;
  constant c_max : integer := 10;
  attribute pin of c_max : constant is 1;
  signal shared : rbit bus;
  disconnect shared : rbit after 3 ns;
end attrs;
package body attrs is
  function resolve_or (v : bit_vector) return bit is
  begin
    return v (v'left);
  end resolve_or;
end attrs;
use work.attrs.all;
entity chip is
  port (clk, rst : in bit);
  attribute pin of clk, rst : signal is 7;
  attribute author of chip : entity is "Team B";
end chip;
architecture struct of chip is
  component inv
    port (a : in bit; y : out bit);
  end component;
  attribute pin of inv : component is 2;
  signal g1, g2 : rbit bus;
  signal r : rbit register;
  signal late : rbit bus;
  attribute pin of late : signal is c_max * 2;
  type level is (lo, hi);
  attribute pin of level : type is 5;
  disconnect g1, g2 : rbit after 1 ns;
  disconnect others : rbit after 0 ns;
begin
end struct;
configuration conf of chip is use work.attrs.all;
  attribute author of conf : configuration is "QA";
  for struct
  end for;
end conf;
