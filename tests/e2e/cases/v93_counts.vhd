-- VHDL-93 counted: report statements, labelled statements, a postponed
-- process, shared variables, an impure function, named association, a
-- conditional assignment without final else, direct instances of an entity
-- with a process, a generate statement with declarations.
entity cell is
  generic (id : integer := 0);
  port (clk : in bit; q : out integer);
end entity cell;

architecture rtl of cell is
begin
  tick: process (clk) is
    variable n : integer := 0;
  begin
    if clk = '1' then
      n := n + id;
      q <= n;
    end if;
  end process tick;
end architecture rtl;

entity v93_counts is
end entity v93_counts;

architecture tb of v93_counts is
  shared variable total : integer := 0;
  signal clk : bit := '0';
  signal q1, q2 : integer;
  signal flag, odd : bit := '0';
  impure function bump (by : integer) return integer is
  begin
    total := total + by;
    return total;
  end function bump;
  procedure count_down (from : in integer; steps : inout integer) is
    variable k : integer := from;
  begin
    steps := 0;
    while k > 0 loop
      k := k - 1;
      steps := steps + 1;
    end loop;
  end procedure count_down;
begin
  u1: entity work.cell(rtl) generic map (id => 1) port map (clk => clk, q => q1);
  u2: entity work.cell generic map (2) port map (clk, q2);
  g: for i in 1 to 2 generate
    signal local : integer := i;
  begin
    watch: process (clk) is
    begin
      if clk = '1' then
        local <= local + i;
      end if;
    end process watch;
  end generate g;
  odd <= '1' when q1 mod 2 = 1;
  stim: process is
    variable v, s : integer;
  begin
    for i in 1 to 3 loop
      clk <= '1'; wait for 5 ns;
      clk <= '0'; wait for 5 ns;
    end loop;
    first: v := bump (by => 2);
    second: v := bump (3);
    report "total is " & integer'image(total);
    down: count_down (steps => s, from => 3);
    check: assert s = 3 report "count_down failed" severity error;
    flag <= '1' xnor '1';
    wait;
  end process stim;
  late: postponed process (flag) is
  begin
    report "flag is " & bit'image(flag);
  end postponed process late;
end architecture tb;
