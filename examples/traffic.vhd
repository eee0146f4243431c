-- A traffic-light controller for a crossing of a main road and a side road.
-- The main road stays green until a car waits on the side road; then the
-- lights cycle through yellow and red, give the side road a green phase of
-- SIDE_GREEN clock cycles, and return to the main road.

package traffic_types is
  type light is (red, yellow, green);
  type phase is (main_go, main_stop, side_go, side_stop);
  function next_phase (p : phase) return phase;
end traffic_types;

package body traffic_types is
  function next_phase (p : phase) return phase is
  begin
    case p is
      when main_go => return main_stop;
      when main_stop => return side_go;
      when side_go => return side_stop;
      when side_stop => return main_go;
    end case;
  end next_phase;
end traffic_types;

use work.traffic_types.all;

entity traffic is
  generic (side_green : integer := 4; yellow_time : integer := 2);
  port (clk, reset, car_waiting : in bit;
        main_light, side_light : out light;
        cycles : out integer);
end traffic;

architecture rtl of traffic is
  signal state : phase := main_go;
begin
  controller: process (clk, reset)
    variable timer : integer := 0;
    variable count : integer := 0;

    -- Counts the timer down; true once it has run out.
    procedure count_down (t : inout integer; done : out boolean) is
    begin
      if t > 0 then
        t := t - 1;
      end if;
      done := t = 0;
    end count_down;

    variable done : boolean;
  begin
    if reset = '1' then
      state <= main_go;
      timer := 0;
      count := 0;
    elsif clk'event and clk = '1' then
      case state is
        when main_go =>
          if car_waiting = '1' then
            state <= next_phase (state);
            timer := yellow_time;
          end if;
        when main_stop | side_stop =>
          count_down (timer, done);
          if done then
            if state = main_stop then
              timer := side_green;
            else
              count := count + 1;
            end if;
            state <= next_phase (state);
          end if;
        when side_go =>
          count_down (timer, done);
          if done then
            timer := yellow_time;
            state <= next_phase (state);
          end if;
      end case;
      cycles <= count;
    end if;
  end process controller;

  lights: process (state)
  begin
    main_light <= red;
    side_light <= red;
    case state is
      when main_go => main_light <= green;
      when main_stop => main_light <= yellow;
      when side_go => side_light <= green;
      when side_stop => side_light <= yellow;
    end case;
  end process lights;
end rtl;
