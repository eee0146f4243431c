package objs is
  type bit4 is array (natural range <>) of bit;
  function resolve_or (v : bit4) return bit;
  subtype rbit is resolve_or bit;
  subtype byte_index is integer range 0 to 7;
  subtype nibble is bit4 (3 downto 0);
  subtype short_name is string (1 to 4);
  subtype r_low is resolve_or bit range '0' to '1';
  subtype any_bit is bit;
  subtype pos_delay is time range 0 ns to 1 hr;
  type rbits is array (natural range <>) of rbit;
  type bit_file is file of bit;
  constant zero : integer := 0;
  constant k1, k2 : byte_index := 3;
  constant deferred : nibble;
  signal shared_flag : boolean := false;
  signal wires : rbits (0 to 3) bus;
  signal latch, latch2 : rbit register := '0';
end objs;
package body objs is
  constant deferred : nibble := "1010";
  function resolve_or (v : bit4) return bit is
    variable acc : bit := '0';
  begin
    return acc or v (v'left);
  end resolve_or;
end objs;
use work.objs.all;
entity objects is
end objects;
architecture a of objects is
  signal plain : bit;
  signal plain_vec : bit4 (0 to 3);
  signal g : rbit bus := '1';
  alias top_wire : rbit is work.objs.wires (0);
  alias low_half : bit4 (1 downto 0) is plain_vec (0 to 1);
  alias third : bit is plain_vec (2);
begin
  process
    variable count : integer := zero + 1;
    variable s1, s2 : short_name;
    file input_file : bit_file is in "stimulus.txt";
    file output_file : bit_file is out "trace.bits";
    file default_mode : bit_file is "default.bits";
    alias n : byte_index is count;
  begin
    wait;
  end process;
end a;
