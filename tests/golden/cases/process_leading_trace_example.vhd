architecture a of e is
begin
  process
    variable n : integer;
  begin
    for i in 0 to 3 loop
      exit when i = n;
      null;
    end loop;
    n := n +
         1; n := 0;
    wait;
  end process;
end a;
