architecture s of t is
begin
  u1: inv generic map (1 ns) port map (x, z);
  q <= a when c = '1' else b;
  l2: q2 <= d;
  with s select r <= a when '0', b when others;
  l3: assert x = '1';
end s;
