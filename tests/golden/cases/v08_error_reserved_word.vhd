-- A word VHDL-2008 reserves names nothing in --std=08: a syntax error at it,
-- where --std=93 reads the design.
-- modes: --std=08
entity rw is end rw;
architecture a of rw is
  signal force : bit;
begin
end a;
