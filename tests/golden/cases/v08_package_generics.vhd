-- Package generics of VHDL-2008 (an interface type, interface functions, an
-- object) and package instantiation, as a library unit and as a
-- declaration; the functions of the generic package's body are counted as
-- every function.
package images is
  function bit_image (b : bit) return string;
end package images;
package body images is
  function bit_image (b : bit) return string is
  begin
    return bit'image (b);
  end function bit_image;
end package body images;
package gen is
  generic (
    type element;
    function image (e : element) return string;
    impure function next_one (e : element) return element;
    width : natural := 8
  );
  function show (e : element) return string;
end package gen;
package body gen is
  function show (e : element) return string is
  begin
    return image (e);
  end function show;
end package body gen;
use work.images.all;
package gen_bit is new work.gen
  generic map (element => bit, image => bit_image, next_one => "not", width => 4);
use work.images.all;
entity pg is
end entity pg;
architecture a of pg is
  package local is new work.gen generic map (
    element => bit,
    image => bit_image,
    next_one => "not");
begin
end architecture a;
