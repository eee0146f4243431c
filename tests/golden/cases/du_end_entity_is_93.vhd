-- The closer with its keyword is VHDL-93: the default grammar, VHDL-87,
-- reports it as a syntax error at the word entity.
entity e is
end entity e;
