-- several primary and secondary units in one file
package pk is
  constant width : integer := 8;
end pk;

package body pk is
end pk;
library work;
use work.pk.all;
entity ent is
end ent;

-- the architecture gets no prefix
architecture rtl of ent is
begin
end rtl;
configuration cfg of ent is
  for rtl
  end for;
end cfg;
package pk2 is end; package body pk2 is end; entity e2 is end;
