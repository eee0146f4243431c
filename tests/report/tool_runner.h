// Runs the built corvane_viru in a scratch directory and collects what it
// wrote and how it ended.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct Outcome {
    std::string out;
    std::string err;
    // The exit status, or 128 plus the signal that ended the run.
    int status = -1;
};

enum class Output { captured, full_device, closed_pipe };

struct Run_Options {
    Output output = Output::captured;
    // Address-space limit of the run in bytes; 0 for none.
    std::uint64_t address_limit = 0;
};

// A fresh directory per test, removed afterwards; the tool runs in it.
class Report_Tool : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string Path(const std::string& name) const { return dir + "/" + name; }
    void Write_File(const std::string& name, const std::string& content) const;
    Outcome Run(const std::vector<std::string>& args, Run_Options options = {}) const;

    std::string dir;
};

// The argument echo of a run with these arguments.
std::string Echo(const std::vector<std::string>& args);

// Report lines for the (line, occurrences) pairs in the order given.
std::string Report(const std::string& file, const std::string& function,
                   const std::vector<std::pair<long long, long long>>& counts);
