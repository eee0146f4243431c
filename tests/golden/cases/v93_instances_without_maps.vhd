-- Instances with neither generic nor port map: named with their keyword
-- (entity, component), since without one they are procedure calls.
entity x is end entity;
architecture a of x is begin end;
entity t is end t;
architecture a of t is
  component x is end component;
begin
  u1: entity work.x;
  u2: entity work.x(a);
  u3: component x;
end a;
