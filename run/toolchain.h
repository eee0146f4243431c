// The language versions and simulators corvane_run knows: one row each
// (for a version, the translator's options; for a simulator, its commands
// and the oldest version it reads).
#pragma once

#include <string>
#include <vector>

// A language version as --std names it.
struct Standard {
    const char* name;     // 87, 93, 08
    int year;             // 1987, 1993, 2008: what the simulators' rows read
    // Options given to the translator besides --exact -f -d -m.
    std::vector<std::string> translator_options;
};

// What a simulator's commands need to know.
struct Setup {
    int year;               // of the standard
    std::string work;       // the library folder (absolute)
    std::string top;        // the unit to elaborate and run
    std::string stop_time;  // e.g. 2us; empty: until the simulation ends by itself
};

struct Simulator {
    const char* name;     // as --sim names it
    const char* program;  // looked up on PATH
    int first_year;       // the oldest language version it reads
    // The arguments after the program of: analysing the files into the
    // library, in their order; elaborating the top; running it.
    std::vector<std::string> (*analyse)(const Setup&, const std::vector<std::string>& files);
    std::vector<std::string> (*elaborate)(const Setup&);
    std::vector<std::string> (*run)(const Setup&);
};

const std::vector<Standard>& Standards();
const std::vector<Simulator>& Simulators();

// The row of that name, or nullptr.
const Standard* Find_Standard(const std::string& name);
const Simulator* Find_Simulator(const std::string& name);
