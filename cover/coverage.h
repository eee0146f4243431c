// The data of corvane_cover: the constructs and statements of the statement
// maps, the counts of the runs, and the source files they are shown against.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "trace_names.h"

// One arm of a branching statement (exact mode).
struct Arm {
    std::string name;  // then, elsif, else, when, taken, not_taken, true, false
    // Its counting point; with plus or minus, the first point of the map's
    // expression of keys: the arm's count is that point's count plus those
    // of the points in plus, less those in minus.
    int slot = -1;
    std::vector<int> plus, minus;
    std::string expression;  // the map's expression of keys; empty for a key alone
    uint64_t count = 0;  // set by Finish_Counts
};

// A branching statement of exact mode: the arms of one (LINE, BLOCK) of the map.
struct Branch_Block {
    int line = 0;       // of the statement's first token
    int block = 0;      // which branching statement of that line, from 0
    std::string kind;   // if, case, exit, next, while, conditional_signal_assign
    std::vector<Arm> arms;  // in arm order
};

struct Statement {
    int line = 0;
    std::string kind;  // signal_assign, wait, ...
    int slot = -1;     // exact mode: its counting point in the design's Point_Counts
    uint64_t count = 0;  // set by Finish_Counts
};

// A process, a subprogram or (exact mode) a concurrent statement.
struct Construct {
    std::string design;     // the -f name
    std::string name;       // default mode: enclosing names joined by ':'; exact mode: the map's NAME
    std::string kind;       // process, procedure, function, procedure_all_calls, function_all_calls,
                            // concurrent_assignment, concurrent_assertion
    std::string trace_file; // default mode: the trace-file name without its directory
    int head_line = 0;
    int last_line = 0;      // exact mode
    int entry_slot = -1;    // exact mode: the counting point of its entries; -1: none
    // How often it ran, set by Finish_Counts: in exact mode the count of its
    // entry point; in the default mode, whose traces hold statements only, the
    // count of its busiest line stands for it.
    uint64_t entries = 0;
    int declarations = 0;   // default mode, more than one: several constructs write this file
    std::vector<Statement> statements;  // in map order
    std::vector<Branch_Block> branches;  // exact mode, in map order
    // Default mode: summed counts by line number over all runs; mapped[line]
    // marks the lines that hold a statement of the map.
    std::vector<uint64_t> counts;
    std::vector<char> mapped;
    // Trace lines that are no statement line of the map, with their counts.
    std::map<long long, uint64_t> unmapped;
    uint64_t bad_lines = 0;  // trace lines that are no line number at all
    int runs_seen = 0;       // runs that had a trace file of this construct (exact mode: of its design)
};

// The summed counts of an exact-mode design by counting point (slot). The
// key LINE has the slot LINE, marked in known, so that the commonest key is
// counted as fast as a line of the default mode; the keys LINE.K (K >= 2)
// have the slots after the last line, in the order of LINE and K: those of
// line L from line_base[L] to below line_base[L + 1].
struct Point_Counts {
    std::vector<char> known;          // by line: the map has the key LINE
    std::vector<uint32_t> line_base;  // by line, one more than known
    std::vector<uint32_t> slot_k;     // by slot: the K of its key
    std::vector<uint64_t> counts;     // by slot
    std::map<std::pair<long long, long long>, uint64_t> unknown;  // (LINE, K) of no key of the map
    uint64_t bad_lines = 0;           // trace lines that are neither a key nor pairs
};

struct Design {
    std::string name;
    std::string map_path;
    std::string source;           // as given on the command line; empty: none
    std::string absolute_source;  // for the lcov tracefile
    std::vector<int> constructs;  // indexes into Coverage::constructs, in map order
    Point_Counts points;          // exact mode
    int runs_seen = 0;            // exact mode: runs that had its trace file
};

struct Coverage {
    Mode mode = Mode::none;    // of the maps read so far
    std::string mode_map;      // the first map of that mode
    std::vector<Construct> constructs;
    std::vector<Design> designs;
    std::unordered_map<std::string, int> by_trace_file;  // default mode: trace-file name without directory
    int runs = 0;
};

// Whether the construct's trace holds only the last call (a subprogram
// instrumented in the default mode without -a).
bool Last_Call_Only(const Coverage& coverage, const Construct& c);
// Whether an accumulating subprogram is nested in another subprogram, whose
// every call opens its trace file anew.
bool Reopened_Per_Outer_Call(const Coverage& coverage, const Construct& c);

// Sets the counts of every statement, branch and construct once every run is
// read. Returns a warning for each arm whose expression of keys comes to
// less than 0, which a consistent trace never gives; such an arm counts 0.
std::vector<std::string> Finish_Counts(Coverage& coverage);

// Statements of a construct that ran at least once (after Finish_Counts).
int Executed_Statements(const Construct& c);

// Whether a branching statement was ever evaluated: one of its arms was taken.
bool Evaluated(const Branch_Block& b);
// The arms taken at least once of a branching statement.
int Taken_Arms(const Branch_Block& b);
// The arms of a construct's branching statements, and those taken at least once.
int Branch_Arms(const Construct& c);
int Taken_Arms(const Construct& c);
