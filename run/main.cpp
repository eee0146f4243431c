// corvane_run: one command from the design files to the merged statement
// coverage: instruments every file in exact mode, analyses them, elaborates
// and runs every top with the simulator, keeps each run's traces, merges all
// runs with corvane_cover and reports.
#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "options.h"
#include "pipeline.h"

int main(int argc, char** argv) {
    std::signal(SIGPIPE, SIG_IGN);
    std::vector<std::string> args(argv + 1, argv + argc);
    Options options;
    std::string error;
    if (!Parse_Options(args, options, error)) {
        std::cerr << "corvane_run: " << error << "\n" << run_usage;
        return 2;
    }
    if (options.help) {
        std::cout << run_usage << std::flush;
        return std::cout ? 0 : 1;
    }
    if (options.version) {
        std::cout << "corvane_run " CORVANE_VERSION "\n" << std::flush;
        return std::cout ? 0 : 1;
    }
    return Run_Pipeline(options);
}
