# Shared by exact-case and corpus-testbench: the simulation of a folder of
# design files with GHDL or NVC, and the counts of the traces. The caller
# sets simulator (ghdl or nvc), flags (every step's options), analyse_flags
# (NVC's analysis options), files (file names in the folder, in analysis
# order), top, run_flags and, when the design's library is not work,
# work_library; and defines Fail.

# Simulates the files of one folder; its messages, with the columns taken
# out (the counts move the statements to the right), and its waveform.
Simulate() {
    local dir=$1
    (
        cd "$dir" || exit 1
        if [ "$simulator" = ghdl ]; then
            for file in "${files[@]}"; do
                ghdl -a "${flags[@]}" --work="${work_library:-work}" --workdir=work "$file" >log 2>&1 || { cat log; exit 1; }
            done
            ghdl -e "${flags[@]}" --work="${work_library:-work}" --workdir=work "$top" >log 2>&1 || { cat log; exit 1; }
            ghdl -r "${flags[@]}" --work="${work_library:-work}" --workdir=work "$top" ${run_flags[@]+"${run_flags[@]}"} --vcd=wave.vcd >messages 2>&1
            echo "exit status $?" >>messages
        else
            local work="--work=${work_library:-work}:work"
            nvc "${flags[@]}" "$work" -a ${analyse_flags[@]+"${analyse_flags[@]}"} "${files[@]}" >log 2>&1 || { cat log; exit 1; }
            nvc "${flags[@]}" "$work" -e "$top" >log 2>&1 || { cat log; exit 1; }
            nvc "${flags[@]}" "$work" -r "$top" ${run_flags[@]+"${run_flags[@]}"} --wave=wave.vcd --format=vcd >messages 2>&1
            echo "exit status $?" >>messages
        fi
        sed -i -E 's/^([^:]*:[0-9]+):[0-9]+:/\1:/' messages
        # The header of the waveform holds the date and the tool's version
        # (NVC's also the path of each design file), and a scope for each
        # package without signals (the counts' among them).
        sed -i '/^\$date/,/\$end/d; /^\$version/,/\$end/d; /^\$attrbegin /d' wave.vcd
        awk '/^\$scope [a-z_]* / { held = $0; next }
             held != "" && /^\$upscope/ { held = ""; next }
             held != "" { print held; held = "" }
             { print }' wave.vcd >wave.kept && mv wave.kept wave.vcd
    ) || Fail "$simulator failed on the files of $dir"
}

# The count of every key of the exact-mode traces in folder $1, one line
# each: DESIGN, KEY and COUNT, separated by tabs.
Trace_Counts() {
    local trace design
    for trace in "$1"/*::exact.corvane; do
        [ -e "$trace" ] || break
        design=${trace##*/}
        # A line holds counters separated by spaces: each its keys joined by
        # commas and ":COUNT" unless it counted 1.
        awk -v d="${design%::exact.corvane}" '{ for (i = 1; i <= NF; i++) {
                 n = split($i, p, ":"); m = split(p[1], keys, ",")
                 for (j = 1; j <= m; j++) count[keys[j]] += n == 2 ? p[2] : 1 } }
             END { for (k in count) print d "\t" k "\t" count[k] }' "$trace" | sort
    done
}
