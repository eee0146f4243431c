-- The same design in --std=93, where force names a signal.
entity rw is end rw;
architecture a of rw is
  signal force : bit;
begin
end a;
