package split
  is
  constant width
    : integer
    := 4
    ;
  signal a
    , b : bit_vector (0
    to 3)
    ;
  type pair is record
    lo
    , hi
    : integer;
  end
  record;
  constant p0 : pair := (0, 1);
  constant sel : integer := p0
    .hi
    + 1;
end
  split;
