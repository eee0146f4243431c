-- A design that declares the names an instrumentation might use: a type
-- line, a signal write, variables out_line and line_number, subprograms
-- named hit, ran, arm and trace, a process labelled work, use work.all.
-- modes: --exact --std=93
package names is
  type line is range 0 to 100;
  procedure hit (l : integer);
  function ran (l, k : integer) return boolean;
end names;
package body names is
  procedure hit (l : integer) is
  begin
    assert false report "the design's own hit" severity note;
  end hit;
  function ran (l, k : integer) return boolean is
  begin
    return false;
  end ran;
end names;
use work.all; use work.names.all;
entity clash is end clash;
architecture a of clash is
  signal write, w2 : bit;
  signal text : integer := 0;
  function arm (l, k : integer; c : boolean) return boolean is
  begin
    return not c;
  end arm;
  procedure trace (x : inout line) is
  begin
    x := x + 1;
  end trace;
begin
  work: process
    variable out_line : line := 0;
    variable line_number : integer := 0;
    variable outfile1 : integer := 0;
  begin
    for i in 1 to 4 loop
      trace (out_line);
      line_number := line_number + 2;
      write <= not write;
      wait for 1 ns;
    end loop;
    hit (1);
    assert ran (1, 1) = false and arm (1, 1, false) report "clash" severity failure;
    text <= integer (out_line) + line_number;
    wait;
  end process work;
  w2 <= write when text = 0 else '0';
end a;
