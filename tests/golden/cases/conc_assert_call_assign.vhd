entity e is end e;
architecture a of e is
  signal c, d, x, q, r : bit;
  signal s : bit_vector (0 to 1);
  procedure chk (signal v : in bit) is
  begin
    assert v = '0' report "v set";
  end chk;
begin
  assert x = '1';
  l1: assert x = '0' report "x clear" severity note;
  chk (x);
  l2: chk (c);
  q <= transport '1' after 1 ns when c = '1' else
       '0' after 2 ns when d = '1' else
       x;
  b: block (c = '1')
  begin
    l3: r <= guarded transport d after 1 ns;
  end block b;
  l4: with s select
    x <= '0' when "00", '1' when "01" | "10", c when others;
end a;
