package types is
  type state is (idle, Run, 'x', '0', stop_now);
  type small is range 0 to 255;
  type down is range 10 downto -10;
  type real_range is range -1.0 to 1.0E3;
  type distance is range 0 to 1000000
    units
      um;
      mm = 1000 um;
      m = 1000 mm;
      km = 1000 M;
    end units;
  type word is array (15 downto 0) of bit;
  type matrix is array (0 to 3, 1 to 4) of integer;
  type by_state is array (state) of small;
  type bits is array (integer range <>) of bit;
  type table is array (natural range <>, state range <>) of boolean;
  type cell;
  type link is access cell;
  type cell is record
    value : integer;
    next_cell, prev : link;
    name : string (1 to 8);
  end record;
  type int_file is file of integer;
  type text_ptr is access string;
end types;
