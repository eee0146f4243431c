-- Direct instantiation, components, generate statements with declarations,
-- blocks and processes with is, postponed processes and concurrent
-- statements, inertial and rejected delays, unaffected, the last condition
-- of a conditional assignment.
entity inv is
  port (a : in bit; y : out bit);
end entity;
architecture rtl of inv is
begin
  y <= not a;
end architecture;
configuration inv_cfg of inv is
  for rtl
  end for;
end configuration;
entity top is
  port (a : in bit; y : out bit);
end entity;

architecture rtl of top is
  component inv is
    port (a : in bit; y : out bit);
  end component;
  signal s, t, u, v, w, z : bit;
begin
  u1: entity work.inv(rtl) port map (a => a, y => s);
  u2: entity work.inv port map (s, t);
  u3: configuration work.inv_cfg port map (a => t, y => u);
  u4: component inv port map (u, y);
  g1: for i in 0 to 1 generate
    signal x : bit;
    constant k : integer := i;
  begin
    x <= a;
  end generate;
  g2: if true generate
  begin
    w <= reject 2 ns inertial a after 3 ns;
  end generate g2;
  p1: postponed process (a) is
  begin
    z <= inertial a;
  end postponed process p1;
  postponed assert a = '1' report "low";
  postponed u <= a when a = '1' else unaffected;
  b: block (a = '1') is
  begin
    l5: postponed v <= guarded transport a;
  end block b;
  y <= a when s = '1';
  y <= a when s = '1' else
       not a when t = '1';
  with a select
    t <= reject 1 ns inertial '1' when '0', unaffected when others;
end architecture rtl;
