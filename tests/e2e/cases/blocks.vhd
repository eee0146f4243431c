-- Processes in nested blocks and at the architecture's own level: the trace
-- files are named after the enclosing block labels.
entity blocks is
end blocks;

architecture a of blocks is
  signal s : bit := '0';
begin
  outer: block
  begin
    p: process
    begin
      s <= '1' after 5 ns;
      wait;
    end process p;

    inner: block
    begin
      q: process (s)
      begin
        null;
      end process q;
    end block inner;
  end block outer;

  top: process
  begin
    wait on s;
    wait;
  end process top;
end a;
