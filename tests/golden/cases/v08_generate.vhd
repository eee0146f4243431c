-- The generate statements of VHDL-2008: an if-generate with elsif and else
-- arms and the labels of its arms, with and without the end of an arm's body
-- (end; end a;), declarations in an arm; a case-generate with labelled and
-- unlabelled alternatives; a for-generate whose body ends with end;. Their
-- processes are counted as every process.
entity gen is
  generic (n : natural := 2);
end entity gen;
architecture a of gen is
  signal s : bit_vector (0 to 3);
begin
  g1 : if n = 1 generate
    s (0) <= '1';
  elsif two : n = 2 generate
    signal t : bit;
  begin
    t <= '1';
    p : process (t) is
    begin
      s (0) <= t;
    end process p;
  end two;
  elsif n = 3 generate
    s (0) <= '0';
  end;
  else other : generate
    s (0) <= '0';
  end generate g1;
  g2 : if first : n > 4 generate
    s (1) <= '1';
  else generate
    s (1) <= '0';
  end generate;
  g3 : case n generate
    when one : 1 =>
      s (2) <= '1';
    when 2 | 3 =>
      process is
      begin
        if n = 2 then
          s (2) <= '0';
        end if;
        wait;
      end process;
    end;
    when others =>
      s (2) <= '1';
  end generate g3;
  g4 : for i in 3 to 3 generate
    s (i) <= '1';
  end;
  end generate g4;
end architecture a;
