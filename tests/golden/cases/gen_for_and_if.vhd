entity e is end e;
architecture a of e is
  signal v : bit_vector (0 to 3);
  signal b, c : bit;
begin
  g1: for i in 0 to 3 generate
    v(i) <= c;
    g2: if i = 0 generate
      p: process (c)
      begin
        null;
      end process p;
    end generate g2;
  end generate g1;
  g3: if true generate
    c <= '1';
  end generate;
  b <= c;
end a;
