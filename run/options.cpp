#include "options.h"

#include <fnmatch.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>

const char* const run_usage =
    "Usage: corvane_run [--std 87|93|08] [--sim ghdl|nvc] [-o DIR] [--top UNIT[@STOP_TIME]]...\n"
    "                   [--exclude PATTERN]... [--fail-under PCT] [--fail-under-branches PCT] [-j N] FILE...\n"
    "\n"
    "Instruments the FILEs (in analysis order) in exact mode, analyses them, elaborates and runs\n"
    "every top, adds each run to DIR/runs, merges all runs of DIR/runs and reports the statement\n"
    "coverage in DIR/coverage.\n"
    "\n"
    "  --std 87|93|08         the language version of the FILEs (default 87)\n"
    "  --sim ghdl|nvc         the simulator (default ghdl; nvc reads 93 and 08)\n"
    "  -o DIR                 the output folder (default corvane-out): src/ (instrumented files and\n"
    "                         maps), work/ (library), runs/N (the traces of every run, kept from\n"
    "                         call to call), coverage/ (summary.txt, FILE.gcov, coverage.info,\n"
    "                         cobertura.xml, html/), logs/\n"
    "  --top UNIT[@TIME]      elaborate and run UNIT, until TIME (e.g. 2us) or until the simulation\n"
    "                         ends by itself; repeatable, one run each\n"
    "  --exclude PATTERN      leave the FILEs whose path matches the glob PATTERN out of the totals\n"
    "                         and the gate; they are analysed and run as they stand; repeatable\n"
    "  --fail-under PCT       exit with status 3 when the total statement coverage is below PCT\n"
    "  --fail-under-branches PCT  exit with status 3 when the total branch coverage is below PCT\n"
    "  -j N                   run up to N tops (and translations) at once (default 1)\n"
    "  -h, --help             show this text\n"
    "  --version              show the version\n"
    "\n"
    "Exit status: 0 done, 1 a FILE is rejected (FILE:LINE:COLUMN: parse error at 'TOKEN') or a\n"
    "simulator step failed, 2 usage error, 3 coverage below --fail-under or nothing measured.\n";

namespace {

bool Is_Identifier(const std::string& s) {
    if (s.empty() || !std::isalpha(static_cast<unsigned char>(s[0])) || s.back() == '_') return false;
    for (size_t i = 0; i < s.size(); i++) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (!std::isalnum(c) && c != '_') return false;
        if (c == '_' && s[i + 1] == '_') return false;
    }
    return true;
}

// A time as GHDL and NVC read it: a number and a unit, with no blank between.
bool Is_Time(const std::string& s) {
    size_t i = 0, digits = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) i++, digits++;
    if (i < s.size() && s[i] == '.') {
        i++;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) i++, digits++;
    }
    if (digits == 0) return false;
    std::string unit = s.substr(i);
    for (const char* u : {"fs", "ps", "ns", "us", "ms", "sec", "min", "hr"})
        if (unit == u) return true;
    return false;
}

bool Parse_Percent(const std::string& s, double& value) {
    char* end = nullptr;
    errno = 0;
    value = std::strtod(s.c_str(), &end);
    return !s.empty() && *end == '\0' && errno == 0 && value >= 0 && value <= 100;
}

bool Parse_Jobs(const std::string& s, int& jobs) {
    if (s.empty() || s.size() > 4) return false;
    for (char c : s)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    jobs = std::atoi(s.c_str());
    return jobs >= 1;
}

template <typename Row>
std::string Names(const std::vector<Row>& rows) {
    std::string s;
    for (const Row& r : rows) s += (s.empty() ? "" : ", ") + std::string(r.name);
    return s;
}

}  // namespace

bool Parse_Top(const std::string& text, Top& top, std::string& error) {
    size_t at = text.find('@');
    top.unit = text.substr(0, at);
    top.stop_time = at == std::string::npos ? "" : text.substr(at + 1);
    if (!Is_Identifier(top.unit)) {
        error = "--top '" + text + "': the unit must be a VHDL identifier (letters, digits and single underscores)";
        return false;
    }
    if (at != std::string::npos && !Is_Time(top.stop_time)) {
        error = "--top '" + text + "': the stop time must be a number and a unit, such as 2us or 150ns "
                "(fs, ps, ns, us, ms, sec, min, hr)";
        return false;
    }
    return true;
}

bool Excluded(const std::string& file, const std::vector<std::string>& patterns) {
    for (const std::string& p : patterns)
        if (fnmatch(p.c_str(), file.c_str(), 0) == 0) return true;
    return false;
}

bool Parse_Options(const std::vector<std::string>& args, Options& options, std::string& error) {
    std::string standard = "87", simulator = "ghdl";
    bool only_files = false;
    for (size_t i = 0; i < args.size(); i++) {
        std::string a = args[i];
        if (only_files || a.empty() || a[0] != '-' || a == "-") {
            options.files.push_back(a);
            continue;
        }
        if (a == "--") {
            only_files = true;
            continue;
        }
        if (a == "-h" || a == "--help") {
            options.help = true;
            return true;
        }
        if (a == "--version") {
            options.version = true;
            return true;
        }
        // --name VALUE or --name=VALUE; -o DIR and -j N.
        std::string name = a, value;
        bool has_value = false;
        size_t eq = a.find('=');
        if (a.compare(0, 2, "--") == 0 && eq != std::string::npos) {
            name = a.substr(0, eq);
            value = a.substr(eq + 1);
            has_value = true;
        }
        static const char* const with_value[] = {"--std",     "--sim",      "-o", "--top", "--exclude",
                                                  "--fail-under", "--fail-under-branches", "-j"};
        bool known = false;
        for (const char* w : with_value) known = known || name == w;
        if (!known) {
            error = "unknown option '" + a + "'";
            return false;
        }
        if (!has_value) {
            if (i + 1 >= args.size()) {
                error = name + " needs a value";
                return false;
            }
            value = args[++i];
        }
        if (name == "--std") {
            standard = value;
        } else if (name == "--sim") {
            simulator = value;
        } else if (name == "-o") {
            if (value.empty()) {
                error = "-o needs a folder";
                return false;
            }
            options.out = value;
        } else if (name == "--top") {
            Top top;
            if (!Parse_Top(value, top, error)) return false;
            options.tops.push_back(top);
        } else if (name == "--exclude") {
            options.excludes.push_back(value);
        } else if (name == "--fail-under" || name == "--fail-under-branches") {
            bool statements = name == "--fail-under";
            if (!Parse_Percent(value, statements ? options.fail_under : options.fail_under_branches)) {
                error = name + " needs a percentage from 0 to 100, not '" + value + "'";
                return false;
            }
            (statements ? options.fail_under_given : options.fail_under_branches_given) = true;
        } else if (name == "-j") {
            if (!Parse_Jobs(value, options.jobs)) {
                error = "-j needs a number of jobs from 1 to 9999, not '" + value + "'";
                return false;
            }
        }
    }
    options.standard = Find_Standard(standard);
    if (!options.standard) {
        error = "--std " + standard + ": no such language version (" + Names(Standards()) + ")";
        return false;
    }
    options.simulator = Find_Simulator(simulator);
    if (!options.simulator) {
        error = "--sim " + simulator + ": no such simulator (" + Names(Simulators()) + ")";
        return false;
    }
    if (options.standard->year < options.simulator->first_year) {
        error = "--sim " + simulator + " reads VHDL-" + std::to_string(options.simulator->first_year) +
                " and later: give --std " + std::to_string(options.simulator->first_year % 100);
        return false;
    }
    if (options.files.empty()) {
        error = "no FILE given";
        return false;
    }
    for (size_t i = 0; i < options.files.size(); i++)
        for (size_t j = 0; j < i; j++)
            if (options.files[i] == options.files[j]) {
                error = "the FILE '" + options.files[i] + "' is given twice";
                return false;
            }
    return true;
}
