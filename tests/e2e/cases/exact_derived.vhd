-- The else of an if that follows a counted run is counted by difference,
-- worked out by each write: in a process with a sensitivity list (edge), in
-- a loop whose then arm writes (a procedure call) after the else ran, in
-- an else whose run is itself the base of an inner if's else, in an else
-- that begins with an if, and in an else that begins with a wait.
entity derived is end derived;
architecture a of derived is
  signal clk : bit := '0';
  procedure note_it (x : integer) is
  begin
    null;
  end note_it;
begin
  clock: process
  begin
    for i in 1 to 3 loop
      clk <= '1';
      wait for 5 ns;
      clk <= '0';
      wait for 5 ns;
    end loop;
    wait;
  end process clock;
  edge: process (clk)
    variable ups, downs : integer := 0;
  begin
    if clk = '1' then
      ups := ups + 1;
    else
      downs := downs + 1;
    end if;
  end process edge;
  p: process
    variable v, w : integer := 0;
  begin
    for i in 1 to 10 loop
      v := i mod 3;
      if v = 0 then
        note_it (i);
      elsif v = 1 then
        w := w + 1;
      else
        w := w + 2;
        if i > 5 then
          w := w + 3;
        else
          w := w - 1;
        end if;
      end if;
      v := w;
      if w > 100 then
        w := 0;
      else
        if i = 10 then
          w := 1;
        end if;
      end if;
    end loop;
    v := 2;
    if w = 2 then
      v := 0;
    else
      wait for 1 ns;
      v := 1;
    end if;
    wait;
  end process p;
end a;
