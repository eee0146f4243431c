-- If, elsif and else branches taken a known number of times, with a
-- nested if and an if without else whose condition never holds.
entity if_branches is
end if_branches;

architecture a of if_branches is
begin
  p: process
    variable low, mid, high, even, never : integer := 0;
  begin
    for i in 1 to 10 loop
      if i < 3 then
        low := low + 1;
      elsif i < 7 then
        mid := mid + 1;
        if i mod 2 = 0 then
          even := even + 1;
        end if;
      elsif i = 100 then
        never := never + 1;
      else
        high := high + 1;
      end if;
      if i > 10 then
        never := never + 1;
      end if;
    end loop;
    assert low = 2 and mid = 4 and even = 2 and high = 4 and never = 0
      report "branch counts" severity failure;
    wait;
  end process p;
end a;
