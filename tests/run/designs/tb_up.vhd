-- Four rising edges with up set; the simulation ends by itself.
entity tb_up is
end tb_up;

architecture sim of tb_up is
  component counter
    generic (limit : integer := 3);
    port (clk, up, down : in bit; value : out integer);
  end component;
  for all : counter use entity work.counter(rtl);
  signal clk, up, down : bit := '0';
  signal value : integer;
begin
  dut : counter port map (clk, up, down, value);

  stimulus: process
  begin
    up <= '1';
    for i in 1 to 4 loop
      clk <= '1';
      wait for 5 ns;
      clk <= '0';
      wait for 5 ns;
    end loop;
    assert value = 3 report "expected the count held at 3" severity failure;
    wait;
  end process stimulus;
end sim;
