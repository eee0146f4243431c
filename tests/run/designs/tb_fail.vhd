-- A testbench whose check fails: the simulation stops with an error.
entity tb_fail is
end tb_fail;

architecture sim of tb_fail is
begin
  check: process
  begin
    wait for 1 ns;
    assert false report "tb_fail: the check failed on purpose" severity failure;
    wait;
  end process check;
end sim;
