-- A simulation ended by std.env.stop, called in a process right after a
-- procedure call: the counts of that last run of the process, and of the
-- processes that ran in the same time step before it, are all kept.
library ieee;
use ieee.std_logic_1164.all;
entity v08_env_stop is
end entity v08_env_stop;
architecture a of v08_env_stop is
  signal clk : std_ulogic := '0';
  signal n : natural := 0;
  procedure note (k : natural) is
  begin
    report "count " & integer'image (k);
  end procedure note;
begin
  clock : process is
  begin
    clk <= not clk;
    wait for 5 ns;
  end process clock;
  count : process (clk) is
  begin
    if rising_edge (clk) then
      n <= n + 1;
    end if;
  end process count;
  stop_it : process is
  begin
    wait until n = 3;
    note (n);
    std.env.stop;
    report "not reached";
    wait;
  end process stop_it;
end architecture a;
