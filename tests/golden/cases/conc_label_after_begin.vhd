-- Labelled concurrent statements on the line of the 'begin' or 'generate'
-- that opens their list.
entity glue is
end glue;

architecture a of glue is
  signal s : bit;
  procedure tick(signal x : in bit) is
  begin
    assert x = '0' or x = '1';
  end tick;
begin l1: assert true;
  b1: block begin l2: s <= '1';
  end block b1;
  g1: for i in 1 to 2 generate l3: tick(s);
  end generate g1;
  b2: block
  begin
  end block b2;
end a;
