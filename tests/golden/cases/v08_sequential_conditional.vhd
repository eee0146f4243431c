-- Conditional assignments of VHDL-2008 in sequential code: variables and
-- signals, several conditions, with and without a final else, a delay
-- mechanism, a label; each counted as one statement.
entity sc is
end entity sc;
architecture a of sc is
  signal s, t : integer;
  signal b : boolean;
begin
  process (s, b) is
    variable v : integer;
  begin
    v := 1 when b else 2;
    v := 1 when s = 0 else
         2 when s = 1 else
         3;
    v := 0 when v > 2;
    t <= s + 1 when b else s - 1;
    t <= transport s after 1 ns when b;
    l1 : t <= inertial 1, 2 after 2 ns when s > 3 else 4 when s < 0 else unaffected;
  end process;
end architecture a;
