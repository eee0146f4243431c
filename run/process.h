// Child processes: one command with its standard streams in files, and a
// pool that runs tasks (commands one after the other) a given number at a
// time.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct Command {
    std::string program;            // a path, or a name looked up on PATH
    std::vector<std::string> args;  // after the program name
    std::string cwd;                // empty: the caller's
    std::string input;              // file for standard input; empty: /dev/null
    std::string output;             // file for standard output (created or emptied)
    std::string error;              // file for standard error; empty: output
};

struct Outcome {
    int status = -1;     // exit status, 128 + signal, or -1: it did not start
    double seconds = 0;  // wall time
    std::string failure; // why it did not start
};

// A shell-like rendering of the command, for messages.
std::string Show(const Command& command);

struct Task {
    std::vector<Command> commands;  // run in turn, up to the first that fails
    std::vector<Outcome> outcomes;  // one per command that was started
    bool Succeeded() const;
};

// Runs the tasks, up to jobs at once, in their order; started(i) is called
// as task i starts, done(i) as it ends. Unless keep_going, no task is
// started after one has failed (the running ones are waited for).
void Run_Tasks(std::vector<Task>& tasks, int jobs, bool keep_going, const std::function<void(size_t)>& started,
               const std::function<void(size_t)>& done);

// An executable file named name: in folder, else on PATH; "" when none.
std::string Find_Program(const std::string& name, const std::string& folder);

// The folder of the running program (/proc/self/exe).
std::string Own_Folder();
