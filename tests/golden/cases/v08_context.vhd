-- VHDL-2008 context declarations and references: a file that begins with a
-- context declaration has no clause in front of it (its context clause must
-- stay empty), every other unit has the package of the counts; the closer
-- in its four forms.
context logic is
  library ieee;
  use ieee.std_logic_1164.all, ieee.numeric_std.all;
end context logic;
context plain is library ieee; end;
context closer is end context;
context named is end named;
library ieee;
context work.logic, work.plain;
entity ct is
end entity ct;
context work.named;
architecture a of ct is
  signal s : std_logic;
begin
  s <= '1';
end architecture a;
