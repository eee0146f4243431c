-- A VHDL-2008 context declaration is no VHDL-93: context is an identifier
-- there, and a design unit cannot begin with one.
-- modes: --std=93
context c is
  library ieee;
end context c;
