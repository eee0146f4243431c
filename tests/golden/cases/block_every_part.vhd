entity e is end e;
architecture a of e is
  signal en, x, y : bit;
begin
  b1: block (en = '1')
    generic (n : integer := 1);
    generic map (n => 2);
    port (i : in bit; o : out bit);
    port map (i => x, o => y);
    signal t : bit;
    constant k : integer := n;
  begin
    o <= guarded i;
    p2: process (i)
    begin
      t <= i;
    end process p2;
    process (t)
    begin
      null;
    end process;
    b2: block
    begin
      p4: process (t) begin null; end process p4;
    end block b2;
  end block b1;
  p3: process (x)
  begin
    null;
  end process p3;
end a;
