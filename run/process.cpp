#include "process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

// Starts the command; its pid, or -1 with the reason in outcome.failure.
// posix_spawn starts the child without copying this process's memory, and
// reports a file that cannot be opened or a program that cannot be run.
pid_t Start(const Command& c, Outcome& outcome) {
    std::vector<char*> argv{const_cast<char*>(c.program.c_str())};
    for (const std::string& a : c.args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // The files first: their paths are taken from this process's folder.
    posix_spawn_file_actions_addopen(&actions, 0, c.input.empty() ? "/dev/null" : c.input.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, c.output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (c.error.empty())
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
    else
        posix_spawn_file_actions_addopen(&actions, 2, c.error.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (!c.cwd.empty()) posix_spawn_file_actions_addchdir_np(&actions, c.cwd.c_str());
    pid_t pid = -1;
    int error = posix_spawnp(&pid, c.program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        outcome.failure = "cannot run " + Show(c) + ": " + std::strerror(error);
        return -1;
    }
    return pid;
}

int Status(int wait_status) {
    return WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : 128 + WTERMSIG(wait_status);
}

}  // namespace

std::string Show(const Command& c) {
    auto quote = [](const std::string& s) {
        if (!s.empty() && s.find_first_of(" \t\n'\"\\$*?;&|<>()") == std::string::npos) return s;
        std::string q = "'";
        for (char ch : s) q += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
        return q + "'";
    };
    std::string s = quote(c.program);
    for (const std::string& a : c.args) s += " " + quote(a);
    return s;
}

bool Task::Succeeded() const {
    if (outcomes.size() != commands.size()) return false;
    for (const Outcome& o : outcomes)
        if (o.status != 0) return false;
    return true;
}

void Run_Tasks(std::vector<Task>& tasks, int jobs, bool keep_going, const std::function<void(size_t)>& started,
               const std::function<void(size_t)>& done) {
    std::map<pid_t, std::pair<size_t, Clock::time_point>> running;
    size_t next = 0;
    bool failed = false;
    // Starts the task's next command; false when the task has ended.
    auto advance = [&](size_t t) {
        Task& task = tasks[t];
        while (task.outcomes.size() < task.commands.size()) {
            if (!task.outcomes.empty() && task.outcomes.back().status != 0) break;
            task.outcomes.emplace_back();
            Clock::time_point start = Clock::now();
            pid_t pid = Start(task.commands[task.outcomes.size() - 1], task.outcomes.back());
            if (pid > 0) {
                running[pid] = {t, start};
                return true;
            }
        }
        failed = failed || (!keep_going && !task.Succeeded());
        done(t);
        return false;
    };
    while (next < tasks.size() || !running.empty()) {
        while (static_cast<int>(running.size()) < jobs && next < tasks.size() && !failed) {
            started(next);
            advance(next++);
        }
        if (running.empty()) {
            if (failed) break;
            continue;
        }
        int wait_status;
        pid_t pid = waitpid(-1, &wait_status, 0);
        if (pid < 0) {
            if (errno == EINTR) continue;
            break;  // no child left: cannot happen while running holds one
        }
        auto found = running.find(pid);
        if (found == running.end()) continue;
        auto [t, start] = found->second;
        running.erase(found);
        Outcome& o = tasks[t].outcomes.back();
        o.status = Status(wait_status);
        o.seconds = std::chrono::duration<double>(Clock::now() - start).count();
        advance(t);
    }
}

std::string Find_Program(const std::string& name, const std::string& folder) {
    auto executable = [](const fs::path& p) {
        std::error_code ec;
        return fs::is_regular_file(p, ec) && access(p.c_str(), X_OK) == 0;
    };
    if (!folder.empty() && executable(fs::path(folder) / name)) return (fs::path(folder) / name).string();
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "";
    size_t begin = 0;
    while (begin <= dirs.size()) {
        size_t end = dirs.find(':', begin);
        if (end == std::string::npos) end = dirs.size();
        std::string dir = dirs.substr(begin, end - begin);
        fs::path candidate = fs::path(dir.empty() ? "." : dir) / name;
        if (executable(candidate)) return candidate.string();
        begin = end + 1;
    }
    return "";
}

std::string Own_Folder() {
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? "" : self.parent_path().string();
}
