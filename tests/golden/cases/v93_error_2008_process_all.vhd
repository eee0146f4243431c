-- VHDL-2008's process (all) is no VHDL-93: a syntax error at all.
-- modes: --std=93
entity m is end m;
architecture a of m is
  signal x : bit;
begin
  process (all)
  begin
    null;
  end process;
end a;
