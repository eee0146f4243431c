-- While and plain loops left by exit and shortened by next, and an exit
-- from an inner loop that names the outer one.
entity loops_exit_next is
end loops_exit_next;

architecture a of loops_exit_next is
begin
  p: process
    variable i, n, odd, inner : integer := 0;
  begin
    while i < 10 loop
      i := i + 1;
      next when i mod 2 = 0;
      odd := odd + 1;
    end loop;
    loop
      n := n + 1;
      if n = 4 then
        exit;
      end if;
      next;
    end loop;
    outer: for a in 1 to 3 loop
      for b in 1 to 3 loop
        exit outer when a = 2 and b = 2;
        inner := inner + 1;
      end loop;
    end loop outer;
    assert odd = 5 and n = 4 and inner = 4 report "loop counts" severity failure;
    wait for 1 ns;
    null;
    wait;
  end process p;
end a;
