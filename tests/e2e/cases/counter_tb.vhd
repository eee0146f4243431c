-- Eight rising clock edges; the reset holds for the first one only.
entity counter_tb is
end counter_tb;

architecture sim of counter_tb is
  component counter
    port (clk, rst : in bit; q : out integer);
  end component;
  for all : counter use entity work.counter(rtl);
  signal clk, rst : bit := '0';
  signal q : integer;
begin
  dut: counter port map (clk, rst, q);

  process
  begin
    rst <= '1';
    for i in 1 to 8 loop
      clk <= '1';
      wait for 5 ns;
      rst <= '0';
      clk <= '0';
      wait for 5 ns;
    end loop;
    assert q = 3 report "count after eight edges" severity failure;
    wait;
  end process;
end sim;
