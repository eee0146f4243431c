# The training of the translator: every design given (INPUTS) and a
# generated netlist, run through the instrumented translator (TRAINER).

# A flat netlist, the most common large input: component declarations, a
# few signals, then instantiations with named and positional port maps.
set(netlist "entity chip is\n  port (clk : in bit; a0, a1 : in bit; y0 : out bit);\nend chip;\n\n")
string(APPEND netlist "architecture gates of chip is\n")
string(APPEND netlist "  component nand2\n    port (a, b : in bit; y : out bit);\n  end component;\n")
string(APPEND netlist "  component inv\n    port (a : in bit; y : out bit);\n  end component;\n")
string(APPEND netlist "  signal n0, n1, n2, n3, n4, n5, n6, n7 : bit;\nbegin\n")
foreach(i RANGE 1 3000)
    math(EXPR j "${i} % 8")
    math(EXPR k "(${i} + 3) % 8")
    math(EXPR m "${i} % 3")
    if(m EQUAL 0)
        string(APPEND netlist "  u${i} : inv port map (n${j}, n${k});\n")
    else()
        string(APPEND netlist "  u${i} : nand2 port map (a => n${j}, b => n${k}, y => n${m});\n")
    endif()
endforeach()
string(APPEND netlist "end gates;\n")
file(WRITE ${WORK_DIR}/netlist.vhd "${netlist}")

foreach(design ${INPUTS} ${WORK_DIR}/netlist.vhd)
    # Designs with errors train the error paths; their status is not looked at.
    # Each is read by both grammars.
    foreach(standard 87 93)
        execute_process(COMMAND ${TRAINER} --std=${standard} -d ${WORK_DIR} -f training
                        INPUT_FILE ${design} OUTPUT_FILE ${WORK_DIR}/out.vhd ERROR_FILE ${WORK_DIR}/err.txt)
    endforeach()
endforeach()
