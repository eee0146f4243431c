entity top is end top;
architecture s of top is
  component leaf
    generic (n : integer := 1);
    port (i : in bit; o : out bit);
  end component;
  component ge
    generic (n : integer);
  end component;
  signal x, y, z : bit;
  for u1, u2 : leaf use entity work.leaf (rtl);
  for others : leaf use entity work.leaf;
  for all : ge use entity work.ge;
begin
  u1: leaf generic map (n => 2) port map (i => x, o => y);
  u2: leaf generic map (3) port map (y, z);
  u3: leaf port map (z, open);
  u4: ge generic map (n => 4);
  x <= z;
end s;
