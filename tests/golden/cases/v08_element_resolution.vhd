-- Element resolution of VHDL-2008 in a subtype declaration: each element of
-- the array subtype is resolved by the function named in parentheses, which
-- is counted as every function.
package er is
  function pick (s : bit_vector) return bit;
  subtype picked_vector is (pick) bit_vector;
  subtype picked_byte is (pick) bit_vector (7 downto 0);
end package er;
package body er is
  function pick (s : bit_vector) return bit is
  begin
    return s (s'left);
  end function pick;
end package body er;
