-- Block comments of VHDL-2008 are kept out of the output as comments are,
-- and every token after one stays on its line.
entity bc /* a block
  comment over
  three lines */ is
end entity bc;
architecture a of bc is
  signal x /* one */ , y : bit; /* two */ signal z : bit;
begin
  process (x) /* -- not a line comment */ begin
    y <= x /* between */ ; z <= /* before
    */ x;
  end process;
end architecture a;
