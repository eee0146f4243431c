-- VHDL-2008's matching equality is no VHDL-93: a syntax error at ?.
-- modes: --std=93
entity m is end m;
architecture a of m is
  signal x, y : bit;
begin
  process (x)
  begin
    if x ?= y then
      null;
    end if;
  end process;
end a;
