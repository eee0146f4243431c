-- Reads the constant of types_pkg and ends.
use work.types_pkg.all;

entity tb_types is
end tb_types;

architecture sim of tb_types is
begin
  check: process
  begin
    assert start = idle report "start is not idle" severity failure;
    wait;
  end process check;
end sim;
