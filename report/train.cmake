# The training of the report tool (TRAINER): a generated trace file with a
# few hot numbers among many distinct ones, as a simulation writes them,
# and a few lines of other shapes.
set(trace "")
set(x 12345)
foreach(i RANGE 1 60000)
    math(EXPR x "(${x} * 1103515245 + 12345) % 2147483648")
    math(EXPR hot "${i} % 4")
    if(hot EQUAL 0)
        math(EXPR line "${x} % 200000")
    else()
        math(EXPR line "${x} % 2000")
    endif()
    string(APPEND trace "${line}\n")
endforeach()
string(APPEND trace "-1\n\n  17\n+3\nline 12\n99999999999\n")
file(WRITE ${WORK_DIR}/lib::proc.partition.corvane "${trace}")
execute_process(COMMAND ${TRAINER} ${WORK_DIR}/lib::proc.partition.corvane
                OUTPUT_FILE ${WORK_DIR}/report.txt ERROR_FILE ${WORK_DIR}/err.txt)

# An exact-mode trace: keys, and lines of KEY:COUNT pairs.
set(exact "")
foreach(i RANGE 1 5000)
    math(EXPR line "${i} % 300 + 1")
    string(APPEND exact "${line}\n${line}.2\n${line}:3 ${line}.3:12 7:1\n")
endforeach()
file(WRITE ${WORK_DIR}/lib::exact.corvane "${exact}")
execute_process(COMMAND ${TRAINER} ${WORK_DIR}/lib::exact.corvane
                OUTPUT_FILE ${WORK_DIR}/exact_report.txt ERROR_FILE ${WORK_DIR}/exact_err.txt)
