
-- a comment line, then a blank line, before the first unit

entity first is
end first;


-- two blank lines and a comment before the second
entity second is end second;
