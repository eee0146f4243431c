// The command line of corvane_run.
#pragma once

#include <string>
#include <vector>

#include "toolchain.h"

struct Top {
    std::string unit;       // the entity (or configuration) to elaborate and run
    std::string stop_time;  // e.g. 2us; empty: until the simulation ends by itself
};

struct Options {
    const Standard* standard = nullptr;
    const Simulator* simulator = nullptr;
    std::string out = "corvane-out";
    std::vector<Top> tops;
    std::vector<std::string> excludes;  // fnmatch patterns on the file paths as given
    bool fail_under_given = false;
    double fail_under = 0;
    bool fail_under_branches_given = false;
    double fail_under_branches = 0;
    int jobs = 1;
    std::vector<std::string> files;  // in analysis order
    bool help = false, version = false;
};

extern const char* const run_usage;

// Reads the arguments after the program name. On a usage error returns
// false with the message (without the program's name).
bool Parse_Options(const std::vector<std::string>& args, Options& options, std::string& error);

// UNIT[@STOP_TIME] into top; false with a message when it is no such thing.
bool Parse_Top(const std::string& text, Top& top, std::string& error);

// Whether the file (its path as given) matches one of the patterns.
bool Excluded(const std::string& file, const std::vector<std::string>& patterns);
