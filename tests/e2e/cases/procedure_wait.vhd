-- A procedure that waits for a clock edge and may return early, called
-- three times from a loop; a concurrent assignment drives the clock and
-- counts nowhere.
entity procedure_wait is
end procedure_wait;

architecture a of procedure_wait is
  signal clk : bit := '0';
begin
  clk <= not clk after 5 ns;

  p: process
    variable n : integer := 0;

    procedure tick (count : inout integer) is
    begin
      wait until clk = '1';
      count := count + 1;
      if count = 2 then
        return;
      end if;
      assert false report "a count other than two" severity note;
    end tick;
  begin
    for i in 1 to 3 loop
      tick (n);
    end loop;
    assert n = 3 and now = 25 ns report "three rising edges" severity failure;
    wait;
  end process p;
end a;
