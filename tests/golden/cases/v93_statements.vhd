-- Sequential statements and expressions of VHDL-93: labels on every
-- statement (the count in front of the label), report, xnor, the shift
-- operators, a sign before abs and not and before **, named association in
-- calls, an attribute with a parameter as a range, t'('c'), extended
-- identifiers and Latin-1.
entity st is end st;
architecture a of st is
  signal \Data Bus\ : bit_vector(7 downto 0);
  signal café : bit;
  function add (a, b : integer) return integer is
  begin
    return a + b;
  end add;
  procedure step (x : inout integer; by : integer := 1) is
  begin
    x := x + by;
  end step;
begin
  process
    variable v : integer := 0;
    variable w : bit_vector(7 downto 0);
    variable ok : boolean;
  begin
    set: v := add (a => 1, b => 2);
    call: step (x => v, by => 2);
    say: report "v = " & integer'image(v) severity note;
    report "plain";
    chk: assert v = 5;
    sig: café <= '1' xnor '0';
    w := \Data Bus\ sll 2; w := w srl 1; w := w sla 1;
    w := w sra 1; w := w rol 3; w := w ror 3;
    v := - abs v; v := + abs v; v := - 2 ** 3;
    lp: for i in w'range(1) loop
      nx: next lp when i = 3;
      ex: exit when i = 1;
    end loop lp;
    v := character'pos(character'('a')); ok := (v = 97) xnor true;
    nl: null;
    wt: wait for 1 ns;
    stop:
      wait;
  end process;
end a;
