-- Testbench: a clock of 10 ns, a reset, and three cars on the side road.
use work.traffic_types.all;

entity traffic_tb is
end traffic_tb;

architecture sim of traffic_tb is
  component traffic
    generic (side_green : integer := 4; yellow_time : integer := 2);
    port (clk, reset, car_waiting : in bit;
          main_light, side_light : out light;
          cycles : out integer);
  end component;
  for all : traffic use entity work.traffic(rtl);
  signal clk, reset, car : bit := '0';
  signal main_light, side_light : light;
  signal cycles : integer;
  signal running : boolean := true;
begin
  dut : traffic port map (clk, reset, car, main_light, side_light, cycles);

  clock: process
  begin
    while running loop
      clk <= '1';
      wait for 5 ns;
      clk <= '0';
      wait for 5 ns;
    end loop;
    wait;
  end process clock;

  stimulus: process
  begin
    reset <= '1';
    wait for 20 ns;
    reset <= '0';
    for i in 1 to 3 loop
      wait for 50 ns;
      car <= '1';
      wait for 10 ns;
      car <= '0';
      wait until main_light = green;
    end loop;
    wait for 50 ns;
    assert cycles = 3 report "expected three side-road cycles" severity error;
    running <= false;
    wait;
  end process stimulus;
end sim;
