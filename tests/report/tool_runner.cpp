#include "tool_runner.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

std::string Read_All(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

void Report_Tool::SetUp() {
    char name[] = "/tmp/corvane_viru_test.XXXXXX";
    ASSERT_NE(mkdtemp(name), nullptr);
    dir = name;
}

void Report_Tool::TearDown() { std::filesystem::remove_all(dir); }

void Report_Tool::Write_File(const std::string& name, const std::string& content) const {
    std::ofstream out(Path(name), std::ios::binary);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    ASSERT_TRUE(out.good()) << name;
}

Outcome Report_Tool::Run(const std::vector<std::string>& args, Run_Options options) const {
    // Kept outside dir, so that a test can list or read dir unchanged.
    const std::string out_path = dir + ".out";
    const std::string err_path = dir + ".err";
    int out_fd = -1;
    if (options.output == Output::captured) {
        out_fd = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    } else if (options.output == Output::full_device) {
        out_fd = open("/dev/full", O_WRONLY);
    } else {
        // No reader ever exists, so every write fails at once.
        int ends[2];
        if (pipe(ends) == 0) {
            close(ends[0]);
            out_fd = ends[1];
        }
    }
    int err_fd = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    Outcome outcome;
    if (out_fd < 0 || err_fd < 0) {
        ADD_FAILURE() << "cannot set up the output of the run";
        return outcome;
    }

    std::vector<char*> argv;
    std::string binary = CORVANE_VIRU;
    argv.push_back(binary.data());
    std::vector<std::string> copies = args;
    for (std::string& arg : copies) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);

    pid_t child = fork();
    if (child == 0) {
        if (chdir(dir.c_str()) != 0 || dup2(out_fd, 1) < 0 || dup2(err_fd, 2) < 0) {
            _exit(120);
        }
        if (options.address_limit != 0) {
            rlimit limit{options.address_limit, options.address_limit};
            setrlimit(RLIMIT_AS, &limit);
        }
        execv(argv[0], argv.data());
        _exit(121);
    }
    close(out_fd);
    close(err_fd);
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) {
        ADD_FAILURE() << "cannot run " << binary;
        return outcome;
    }
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    outcome.out = options.output == Output::captured ? Read_All(out_path) : "";
    outcome.err = Read_All(err_path);
    std::remove(out_path.c_str());
    std::remove(err_path.c_str());
    return outcome;
}

std::string Echo(const std::vector<std::string>& args) {
    std::string echo;
    for (std::size_t i = 0; i < args.size(); ++i) {
        echo += "(" + std::to_string(i + 1) + "): " + args[i] + "\n";
    }
    return echo;
}

std::string Report(const std::string& file, const std::string& function,
                   const std::vector<std::pair<long long, long long>>& counts) {
    std::string report;
    for (const auto& [line, occurrences] : counts) {
        report += "File: " + file + ";\tFunction: " + function + ";\tLine: " + std::to_string(line) +
                  ";\tOccurred: " + std::to_string(occurrences) + "\n";
    }
    return report;
}
