#include "pipeline.h"

#include <sys/resource.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "names.h"
#include "process.h"

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

// The trace folder compiled into every instrumented file, relative to the
// working folder of the simulation: each run works in a folder of its own,
// so runs at the same time never share a trace.
const char* const trace_folder = "traces";
// Marks a folder as an output folder, whose parts may be replaced.
const char* const stamp_name = ".corvane_run";

struct File {
    std::string path;      // as given
    std::string name;      // the -f name
    bool excluded = false;
    std::string analysed;  // what the simulator analyses: the instrumented copy, or the file itself
    std::string map;       // the statement map; empty when excluded
    long statements = 0;
};

std::string Read_Text(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> Split_Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    return lines;
}

long Count_Statements(const std::string& map) {
    long n = 0;
    for (const std::string& l : Split_Lines(Read_Text(map)))
        if (l.compare(0, 10, "statement\t") == 0) n++;
    return n;
}

double Own_Cpu_Seconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

class Pipeline {
public:
    explicit Pipeline(const Options& o) : o_(o), start_(Clock::now()) {}
    int Run();

private:
    const Options& o_;
    Clock::time_point start_;
    std::string shown_;  // the output folder as given
    fs::path out_;       // the same, absolute
    std::string corvane_, cover_, simulator_, genhtml_;
    std::vector<File> files_;

    std::string Shown(const std::string& part) const { return (fs::path(shown_) / part).string(); }
    static void Step(double seconds, const std::string& text) { std::printf("%8.3f s  %s\n", seconds, text.c_str()); }
    static void Note(const std::string& text) { std::printf("%11s %s\n", "", text.c_str()); }
    static void Indented(const std::string& text, FILE* to = stdout) {
        for (const std::string& l : Split_Lines(text)) std::fprintf(to, "%11s | %s\n", "", l.c_str());
    }
    static int Fail(int status, const std::string& message) {
        std::fflush(stdout);
        bool line_end = !message.empty() && message.back() == '\n';
        std::fprintf(stderr, "corvane_run: %s%s", message.c_str(), line_end ? "" : "\n");
        return status;
    }
    Command Tool(const std::string& program, std::vector<std::string> args, const std::string& log) const {
        Command c;
        c.program = program;
        c.args = std::move(args);
        c.output = (out_ / "logs" / log).string();
        return c;
    }
    // Runs one command as a step; false when it failed (see outcome).
    bool Single(Command c, Outcome& outcome) {
        std::vector<Task> tasks(1);
        tasks[0].commands.push_back(std::move(c));
        Run_Tasks(tasks, 1, false, [](size_t) {}, [](size_t) {});
        outcome = tasks[0].outcomes.back();
        return tasks[0].Succeeded();
    }
    // The message of a failed command: why it did not start, or its status
    // and output, with the FILE of every instrumented copy the output names.
    std::string Failure(const Command& c, const Outcome& outcome) const {
        if (outcome.status < 0) return outcome.failure;
        std::string output = Read_Text(c.output);
        std::string message = Show(c) + " ended with status " + std::to_string(outcome.status) +
                              (output.empty() ? "" : ":\n" + output + (output.back() == '\n' ? "" : "\n"));
        for (const File& f : files_)
            if (!f.excluded && output.find(f.analysed) != std::string::npos)
                message += "(" + f.analysed + " is " + f.path + " instrumented, with the same line numbers)\n";
        return message;
    }

    int Check_Files();
    int Find_Tools();
    int Prepare_Folder();
    int Instrument();
    int Check_Earlier_Runs();
    int Keep_Maps();
    int Analyse();
    int Simulate(std::vector<std::string>& trace_folders);
    int Collect(const std::vector<std::string>& trace_folders);
    int Merge();
};

int Pipeline::Check_Files() {
    std::vector<std::string> names = Design_Names(o_.files);
    for (size_t i = 0; i < o_.files.size(); i++) {
        const std::string& path = o_.files[i];
        std::error_code ec;
        if (fs::is_directory(path, ec)) return Fail(1, "cannot read '" + path + "': it is a folder");
        std::ifstream in(path);
        if (!in) return Fail(1, "cannot read '" + path + "': " + std::strerror(errno));
        File f;
        f.path = path;
        f.name = names[i];
        f.excluded = Excluded(path, o_.excludes);
        files_.push_back(f);
    }
    for (const std::string& pattern : o_.excludes) {
        bool used = false;
        for (const File& f : files_) used = used || Excluded(f.path, {pattern});
        if (!used) std::fprintf(stderr, "corvane_run: warning: --exclude '%s' matches no FILE\n", pattern.c_str());
    }
    // corvane_cover names each listing after its source's file name.
    for (size_t i = 0; i < files_.size(); i++)
        for (size_t j = 0; j < i; j++)
            if (!files_[i].excluded && !files_[j].excluded &&
                fs::path(files_[i].path).filename() == fs::path(files_[j].path).filename())
                return Fail(2, "'" + files_[j].path + "' and '" + files_[i].path +
                                   "' have the same file name, so their coverage listings would too; rename one "
                                   "or --exclude one");
    return 0;
}

int Pipeline::Find_Tools() {
    std::string own = Own_Folder();
    for (auto [name, into] : {std::pair<const char*, std::string*>{"corvane", &corvane_}, {"corvane_cover", &cover_}}) {
        *into = Find_Program(name, own);
        if (into->empty())
            return Fail(1, std::string("cannot find ") + name + ": it is neither next to corvane_run (" + own +
                               ") nor on PATH");
    }
    simulator_ = Find_Program(o_.simulator->program, "");
    if (simulator_.empty())
        return Fail(1, std::string("cannot find the simulator ") + o_.simulator->program +
                           " on PATH (tools/setup-deps installs GHDL)");
    genhtml_ = Find_Program("genhtml", "");
    return 0;
}

int Pipeline::Prepare_Folder() {
    shown_ = o_.out;
    std::error_code ec;
    out_ = fs::absolute(o_.out, ec).lexically_normal();
    if (ec) return Fail(1, "cannot find the folder '" + o_.out + "': " + ec.message());
    if (fs::exists(out_, ec)) {
        if (!fs::is_directory(out_, ec)) return Fail(2, "the output folder '" + shown_ + "' is no folder");
        if (!fs::exists(out_ / stamp_name, ec) && !fs::is_empty(out_, ec))
            return Fail(2, "the output folder '" + shown_ +
                               "' holds files and was not made by corvane_run; give a new or empty folder with -o");
    }
    // The parts of an earlier call, except its runs, are made anew.
    for (const char* part : {"src", "work", "coverage", "logs", "runs-tmp"}) fs::remove_all(out_ / part, ec);
    for (const char* part : {"src", "work", "logs", "runs", "runs-tmp"}) {
        fs::create_directories(out_ / part, ec);
        if (ec) return Fail(1, "cannot create the folder '" + Shown(part) + "': " + ec.message());
    }
    std::ofstream(out_ / stamp_name) << "An output folder of corvane_run: its src, work, coverage, logs and runs-tmp "
                                        "are replaced at every call; runs keeps the traces of every run.\n";
    return 0;
}

int Pipeline::Instrument() {
    std::vector<Task> tasks;
    std::vector<size_t> file_of;
    for (size_t i = 0; i < files_.size(); i++) {
        File& f = files_[i];
        if (f.excluded) {
            f.analysed = fs::absolute(f.path).string();
            continue;
        }
        f.analysed = (out_ / "src" / (f.name + ".vhd")).string();
        f.map = (out_ / "src" / (f.name + ".map")).string();
        std::vector<std::string> args = {"--exact", "-f", f.name, "-d", trace_folder, "-m", f.map};
        for (const std::string& a : o_.standard->translator_options) args.push_back(a);
        Command c = Tool(corvane_, args, "corvane-" + f.name + ".log");
        c.error = c.output;
        c.input = f.path;
        c.output = f.analysed;
        tasks.emplace_back();
        tasks.back().commands.push_back(c);
        file_of.push_back(i);
    }
    Run_Tasks(tasks, o_.jobs, true, [](size_t) {}, [](size_t) {});
    bool rejected = false;
    for (size_t t = 0; t < tasks.size(); t++) {
        File& f = files_[file_of[t]];
        const Outcome& outcome = tasks[t].outcomes.back();
        if (outcome.status == 0) {
            f.statements = Count_Statements(f.map);
            Step(outcome.seconds, "instrument " + f.path + " as design " + f.name + ": " +
                                      Shown("src/" + f.name + ".vhd") + ", " + std::to_string(f.statements) +
                                      " counted statements");
            continue;
        }
        rejected = true;
        std::string report = Read_Text(f.analysed), message;
        if (outcome.status == 1) message = Syntax_Error_Message(f.path, report, Split_Lines(Read_Text(f.path)));
        else if (outcome.status == 2) message = f.path + ": nested too deeply for the translator (parser stack overflow)";
        if (message.empty()) message = f.path + ": " + Failure(tasks[t].commands[0], outcome) + report;
        std::fflush(stdout);
        std::fprintf(stderr, "%s\n", message.c_str());
        fs::remove(f.analysed);
    }
    for (const File& f : files_)
        if (f.excluded) Note("excluded: " + f.path + " is analysed and run as it stands, not counted");
    return rejected ? 1 : 0;
}

int Pipeline::Analyse() {
    Setup setup{o_.standard->year, (out_ / "work").string(), "", ""};
    std::vector<std::string> paths;
    for (const File& f : files_) paths.push_back(f.analysed);
    Command c = Tool(simulator_, o_.simulator->analyse(setup, paths), "analyse.log");
    c.cwd = out_.string();
    Outcome outcome;
    if (!Single(c, outcome))
        return Fail(1, "the analysis failed: " + Failure(c, outcome));
    Step(outcome.seconds, "analyse " + std::to_string(files_.size()) + (files_.size() == 1 ? " file" : " files") +
                              " into " + Shown("work"));
    Indented(Read_Text(c.output));
    return 0;
}

int Pipeline::Simulate(std::vector<std::string>& trace_folders) {
    std::vector<Task> tasks;
    for (size_t i = 0; i < o_.tops.size(); i++) {
        const Top& top = o_.tops[i];
        fs::path folder = out_ / "runs-tmp" / std::to_string(i + 1);
        std::error_code ec;
        fs::create_directories(folder / trace_folder, ec);
        if (ec) return Fail(1, "cannot create the folder '" + (folder / trace_folder).string() + "': " + ec.message());
        trace_folders.push_back((folder / trace_folder).string());
        Setup setup{o_.standard->year, (out_ / "work").string(), top.unit, top.stop_time};
        std::string n = std::to_string(i + 1);
        Command elaborate = Tool(simulator_, o_.simulator->elaborate(setup), "elaborate-" + n + ".log");
        Command run = Tool(simulator_, o_.simulator->run(setup), "run-" + n + ".log");
        elaborate.cwd = run.cwd = folder.string();
        tasks.emplace_back();
        tasks.back().commands = {elaborate, run};
    }
    auto what = [&](size_t i) {
        const Top& top = o_.tops[i];
        return "run " + std::to_string(i + 1) + ": " + top.unit +
               (top.stop_time.empty() ? " until it ends" : " until " + top.stop_time);
    };
    bool failed = false;
    Run_Tasks(
        tasks, o_.jobs, false, [&](size_t i) { Note(what(i) + " ..."); },
        [&](size_t i) {
            const Task& t = tasks[i];
            if (t.Succeeded()) {
                Step(t.outcomes[0].seconds, "elaborate " + o_.tops[i].unit);
                Step(t.outcomes[1].seconds, what(i));
                Indented(Read_Text(t.commands[1].output));
                std::fflush(stdout);
                return;
            }
            failed = true;
            const char* step = t.outcomes.size() == 1 ? "elaborating" : "the simulation";
            Fail(1, what(i) + ": " + step + " failed: " + Failure(t.commands[t.outcomes.size() - 1], t.outcomes.back()));
        });
    return failed ? 1 : 0;
}

// The keys of a trace are source lines, so the runs of DIR/runs count only
// against the files they were made from: the maps of those files are kept in
// DIR/runs/maps, and a file whose map differs is refused.
int Pipeline::Check_Earlier_Runs() {
    if (Run_Numbers((out_ / "runs").string()).empty()) return 0;
    std::string changed;
    for (const File& f : files_) {
        fs::path kept = out_ / "runs" / "maps" / (f.name + ".map");
        std::error_code ec;
        if (!f.excluded && fs::exists(kept, ec) && Read_Text(kept) != Read_Text(f.map))
            changed += (changed.empty() ? "'" : ", '") + f.path + "'";
    }
    if (changed.empty()) return 0;
    return Fail(2, changed + " changed since the runs in " + Shown("runs") +
                       " were made (the statement map differs), so their counts would land on other lines: "
                       "remove " + Shown("runs") + " or give another -o");
}

// A map is kept as a second name of the file in src (which the next call
// replaces), or a copy where the file system has no such names; one kept
// before is the same (Check_Earlier_Runs).
int Pipeline::Keep_Maps() {
    std::error_code ec;
    fs::path maps = out_ / "runs" / "maps";
    fs::create_directories(maps, ec);
    for (const File& f : files_) {
        fs::path kept = maps / (f.name + ".map");
        if (ec || f.excluded || fs::exists(kept, ec)) continue;
        fs::create_hard_link(f.map, kept, ec);
        if (ec) {
            ec.clear();
            fs::copy_file(f.map, kept, ec);
        }
    }
    if (ec) return Fail(1, "cannot keep the statement maps in '" + Shown("runs/maps") + "': " + ec.message());
    return 0;
}

int Pipeline::Collect(const std::vector<std::string>& trace_folders) {
    std::vector<long> numbers = Run_Numbers((out_ / "runs").string());
    long next = numbers.empty() ? 1 : numbers.back() + 1;
    for (size_t i = 0; i < trace_folders.size(); i++) {
        std::error_code ec;
        if (fs::is_empty(trace_folders[i], ec)) {
            Note("run " + std::to_string(i + 1) + " left no trace: none of its units is in a counted FILE");
            continue;
        }
        std::string run = "runs/" + std::to_string(next++);
        Command c = Tool(cover_, {"--collect", trace_folders[i], (out_ / run).string()},
                         "collect-" + std::to_string(i + 1) + ".log");
        Outcome outcome;
        if (!Single(c, outcome)) return Fail(1, "collecting run " + std::to_string(i + 1) + ": " + Failure(c, outcome));
        Step(outcome.seconds, "collect run " + std::to_string(i + 1) + " into " + Shown(run));
    }
    return 0;
}

int Pipeline::Merge() {
    std::vector<std::string> maps, sources;
    long statements = 0;
    for (const File& f : files_)
        if (!f.excluded) {
            maps.push_back(f.map);
            sources.push_back(f.name + "=" + f.path);
            statements += f.statements;
        }
    std::vector<long> runs = Run_Numbers((out_ / "runs").string());
    if (maps.empty()) return Fail(3, "nothing was measured: every FILE is excluded");
    if (runs.empty())
        return Fail(3, "nothing was measured: " + Shown("runs") + " holds no run" +
                           (o_.tops.empty() ? " (give a --top to run)" : ""));
    std::vector<std::string> args = {"-m"};
    args.insert(args.end(), maps.begin(), maps.end());
    for (long n : runs) args.insert(args.end(), {"-t", (out_ / "runs" / std::to_string(n)).string()});
    char percent[32];
    std::snprintf(percent, sizeof percent, "%g", o_.fail_under_given ? o_.fail_under : 0.0);
    // --fail-under 0 fails only when no statement was measured.
    args.insert(args.end(), {"-o", (out_ / "coverage").string(), "--fail-under", percent});
    if (o_.fail_under_branches_given) {
        std::snprintf(percent, sizeof percent, "%g", o_.fail_under_branches);
        args.insert(args.end(), {"--fail-under-branches", percent});
    }
    args.insert(args.end(), sources.begin(), sources.end());
    std::error_code ec;
    fs::create_directories(out_ / "coverage", ec);
    Command c = Tool(cover_, args, "cover.log");
    c.error = c.output;
    c.output = (out_ / "coverage" / "summary.txt").string();
    Outcome outcome;
    Single(c, outcome);
    if (outcome.status != 0 && outcome.status != 3) {
        std::string log = Read_Text(c.error);
        return Fail(1, "merging the runs: " + Failure(c, outcome) + log);
    }
    Step(outcome.seconds, "merge " + std::to_string(runs.size()) + (runs.size() == 1 ? " run" : " runs") + " of " +
                              Shown("runs") + " into " + Shown("coverage"));
    std::fputs(Read_Text(c.output).c_str(), stdout);

    std::vector<std::string> never;
    for (const File& f : files_)
        if (!f.excluded) {
            std::string listing = (out_ / "coverage" / (fs::path(f.path).filename().string() + ".gcov")).string();
            for (const std::string& l : Never_Run_Lines(f.path, Read_Text(listing))) never.push_back(l);
        }
    if (statements > 0) {
        if (never.empty()) std::printf("Never run: no line, every counted statement ran\n");
        else std::printf("Never run: %zu %s\n", never.size(), never.size() == 1 ? "line" : "lines");
        for (const std::string& l : never) std::printf("  %s\n", l.c_str());
    }
    // corvane_cover's warnings, and its message when the gate fails.
    std::fflush(stdout);
    std::fputs(Read_Text(c.error).c_str(), stderr);
    std::fflush(stderr);

    std::string index;
    if (statements > 0 && !genhtml_.empty()) {
        Command html = Tool(genhtml_, {"--quiet", "--branch-coverage", "--output-directory", (out_ / "coverage" / "html").string(),
                                       (out_ / "coverage" / "coverage.info").string()},
                            "genhtml.log");
        Outcome html_outcome;
        if (!Single(html, html_outcome)) return Fail(1, "genhtml: " + Failure(html, html_outcome));
        Step(html_outcome.seconds, "genhtml into " + Shown("coverage/html"));
        index = Shown("coverage/html/index.html");
    }
    double total = std::chrono::duration<double>(Clock::now() - start_).count();
    char own[64];
    std::snprintf(own, sizeof own, " (corvane_run's own CPU time %.3f s)", Own_Cpu_Seconds());
    Step(total, std::string("total") + own);
    if (statements == 0) return Fail(3, "nothing was measured: the counted FILEs hold no statement");
    if (!index.empty()) std::printf("%s\n", index.c_str());
    else if (genhtml_.empty())
        std::printf("genhtml is not installed (lcov), so no HTML pages: the coverage is in %s\n",
                    Shown("coverage").c_str());
    std::fflush(stdout);
    return outcome.status;  // 0, or 3 below --fail-under
}

int Pipeline::Run() {
    if (int status = Check_Files()) return status;
    if (int status = Find_Tools()) return status;
    if (int status = Prepare_Folder()) return status;
    size_t excluded = 0;
    for (const File& f : files_) excluded += f.excluded;
    std::printf("corvane_run: %zu %s (%zu excluded), %zu %s, output in %s\n", files_.size(),
                files_.size() == 1 ? "file" : "files", excluded, o_.tops.size(), o_.tops.size() == 1 ? "top" : "tops",
                shown_.c_str());
    std::fflush(stdout);
    struct Cleanup {
        fs::path folder;
        ~Cleanup() {
            std::error_code ec;
            fs::remove_all(folder, ec);
        }
    } cleanup{out_ / "runs-tmp"};
    if (int status = Instrument()) return status;
    if (int status = Check_Earlier_Runs()) return status;
    if (int status = Analyse()) return status;
    std::vector<std::string> trace_folders;
    if (int status = Simulate(trace_folders)) return status;
    if (int status = Collect(trace_folders)) return status;
    if (int status = Keep_Maps()) return status;
    return Merge();
}

}  // namespace

std::vector<long> Run_Numbers(const std::string& runs) {
    std::vector<long> numbers;
    std::error_code ec;
    for (fs::directory_iterator it(runs, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (name.empty() || name.size() > 9 || name[0] == '0' ||
            name.find_first_not_of("0123456789") != std::string::npos || !it->is_directory())
            continue;
        numbers.push_back(std::stol(name));
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

int Run_Pipeline(const Options& options) {
    Pipeline pipeline(options);
    int status = pipeline.Run();
    // A report that did not reach its reader is no success.
    int error = std::fflush(stdout) != 0 ? errno : 0;
    if ((error != 0 || std::ferror(stdout)) && status == 0) {
        std::fprintf(stderr, "corvane_run: cannot write to standard output%s%s\n", error ? ": " : "",
                     error ? std::strerror(error) : "");
        return 1;
    }
    return status;
}
