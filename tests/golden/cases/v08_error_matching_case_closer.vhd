-- A matching case statement closed as a plain one (end case; without the
-- question mark) is a syntax error at the closer's semicolon.
-- modes: --std=08
entity mcc is end mcc;
architecture a of mcc is
  signal s : bit_vector (1 downto 0);
begin
  process (s) is
  begin
    case? s is
      when others => null;
    end case;
  end process;
end a;
