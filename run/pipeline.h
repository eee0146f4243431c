// The whole job of corvane_run on parsed options: instrument, analyse, run
// every top, collect, merge and report. Returns the exit status.
#pragma once

#include "options.h"

int Run_Pipeline(const Options& options);

// The numbers of the run folders DIR/runs/N under runs, in order; other
// entries are ignored.
std::vector<long> Run_Numbers(const std::string& runs);
