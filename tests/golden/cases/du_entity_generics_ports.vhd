package wired is
  function wired_or (s : bit_vector) return bit;
  subtype rbit is wired_or bit;
end wired;
package body wired is
  function wired_or (s : bit_vector) return bit is
  begin
    for i in s'range loop
      if s(i) = '1' then
        return '1';
      end if;
    end loop;
    return '0';
  end wired_or;
end wired;
use work.wired.all;
entity ports_all is
  generic (width : integer := 8;
           delay : time := 2 ns; name : string := "Unit A";
           flag : boolean);
  port (clk, rst : in bit := '0';
        q : out bit_vector (7 downto 0);
        io : inout bit := '1'; b : buffer integer range 0 to 15 := 0;
        lk : linkage bit;
        d : bit_vector (0 to 3) := (others => '0');
        sig_bus : inout rbit bus;
        w : in work.wired.rbit);
  constant half : integer := width / 2;
begin
end ports_all;

entity passive_stmts is
  port (a : in bit);
begin
  assert a = '0' report "a set" severity note;
end passive_stmts;
