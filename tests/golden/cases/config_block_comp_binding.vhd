configuration cfg of top2 is
  for s
    use work.all;
    for u1 : leaf
      use entity work.leaf (rtl)
        generic map (n => 5)
        port map (i => i, o => o);
    end for;
    for u2 : leaf use configuration work.leafcfg;
    end for;
    for u3 : leaf use open;
    end for;
    for u4 : ge use entity work.ge (rtl);
      for rtl
      end for;
    end for;
  end for;
end cfg;
