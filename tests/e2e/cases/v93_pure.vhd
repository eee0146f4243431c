-- VHDL-93 pure functions are counted too: a resolution function and a
-- function with a while loop, whose counts write the trace through the
-- package, which strict VHDL-93 forbids a pure function.
entity v93_pure is
end entity v93_pure;

architecture tb of v93_pure is
  type bits is array (natural range <>) of bit;
  pure function wired_or (b : bits) return bit is
    variable r : bit := '0';
  begin
    for i in b'range loop
      r := r or b(i);
    end loop;
    return r;
  end function wired_or;
  subtype rbit is wired_or bit;
  signal s : rbit;
  function log2 (x : positive) return natural is
    variable r : natural := 0;
    variable v : positive := 1;
  begin
    while v < x loop
      v := v * 2;
      r := r + 1;
    end loop;
    return r;
  end function log2;
  signal n : positive := 1;
begin
  s <= '0', '1' after 1 ns, '0' after 2 ns;
  s <= '0', '1' after 3 ns;
  main: process is
    variable r : natural;
  begin
    for i in 1 to 4 loop
      n <= n * 3;
      wait for 1 ns;
      r := log2 (n);
      report "log2 (" & integer'image(n) & ") = " & integer'image(r);
    end loop;
    wait;
  end process main;
end architecture tb;
