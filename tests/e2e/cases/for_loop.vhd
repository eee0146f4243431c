-- For loops: five iterations, a downward loop with a statement over two
-- lines, a null range, and the final wait of the process.
entity for_loop is
end for_loop;

architecture a of for_loop is
begin
  p: process
    variable sum : integer := 0;
  begin
    for i in 1 to 5 loop
      sum := sum + i;
    end loop;
    assert sum = 15 report "sum of 1 to 5" severity failure;
    for j in 3 downto 1 loop
      sum := sum
             - j;
    end loop;
    for k in 1 to 0 loop
      sum := 0;
    end loop;
    assert sum = 9 report "sum after the downward loop" severity failure;
    wait;
  end process p;
end a;
