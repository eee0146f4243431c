package exprs is
  constant a : integer := 7;
  constant b : integer := -3;
  constant t1, t2 : boolean := true;
  -- logical operators, chained and single
  constant l1 : boolean := t1 and t2 and (a > b);
  constant l2 : boolean := t1 or t2 or false;
  constant l3 : boolean := t1 xor t2 xor t1;
  constant l4 : boolean := t1 nand t2;
  constant l5 : boolean := t1 nor not t2;
  -- relational operators
  constant r1 : boolean := a = b;
  constant r2 : boolean := a /= b and a < b and a <= b and a > b and a >= b;
  -- adding, multiplying, miscellaneous
  constant m1 : integer := a + b - 1 * 2 / 3 mod 4 rem 5;
  constant m2 : integer := -a + (+b) - abs b + b ** 2;
  constant m3 : integer := 2 ** a * (a - b);
  constant s1 : string := "ab" & "c" & 'd';
  constant n1 : bit := not '1';
  -- literals of every kind
  constant i1 : integer := 1_000 + 1E3 + 16#FF# + 2#1010_1010# + 8#17# + 16:fe:;
  constant f1 : real := 1.5 + 2.0E-3 + 3.25e+2 + 16#F.8#E1 + 0.5;
  constant p1 : time := 5 ns + 2 US + 1.5 ms;
  constant v1 : bit_vector := B"1010";
  constant v2 : bit_vector := O"17" & X"fa" & b"1";
  constant c1 : character := 'Q';
  constant c2 : string := "say ""Hi""";
  constant c3 : string := %percent delimited%;
end exprs;
