-- A clock that never stops, and down set: it needs a stop time.
entity tb_down is
end tb_down;

architecture sim of tb_down is
  component counter
    generic (limit : integer := 3);
    port (clk, up, down : in bit; value : out integer);
  end component;
  for all : counter use entity work.counter(rtl);
  signal clk, up, down : bit := '0';
  signal value : integer;
begin
  dut : counter port map (clk, up, down, value);
  clk <= not clk after 5 ns;
  down <= '1';
end sim;
