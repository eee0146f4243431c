-- Two labelled processes in a request and acknowledge handshake of three
-- rounds.
entity two_processes is
end two_processes;

architecture a of two_processes is
  signal req, ack : bit := '0';
begin
  producer: process
  begin
    for i in 1 to 3 loop
      req <= '1';
      wait until ack = '1';
      req <= '0';
      wait until ack = '0';
    end loop;
    wait;
  end process producer;

  consumer: process
    variable got : integer := 0;
  begin
    wait until req = '1';
    got := got + 1;
    ack <= '1';
    wait until req = '0';
    ack <= '0';
  end process consumer;
end a;
