// corvane_cover: merges the trace files of one or more simulation runs
// against the statement maps of the translator (corvane -m, in the default
// mode or exact mode) and reports the statement coverage: a summary table on
// standard output and, with -o, an annotated listing per source file, an
// lcov tracefile and a Cobertura file.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "coverage.h"
#include "map_file.h"
#include "reports.h"
#include "trace_files.h"

namespace fs = std::filesystem;

namespace {

const char* usage =
    "Usage: corvane_cover -m MAP... -t RUN_FOLDER... [-o OUT_FOLDER] [--fail-under PCT]\n"
    "                     [--fail-under-branches PCT] [SOURCE...]\n"
    "       corvane_cover --collect TRACE_FOLDER RUN_FOLDER\n"
    "\n"
    "  -m MAP...          statement maps written by corvane -m, one per design: every argument up to\n"
    "                     the next option is a map, and -m may be repeated. All maps are of the\n"
    "                     default mode or all of exact mode (corvane --exact -m)\n"
    "  -t RUN_FOLDER      the trace files of one simulation run (repeatable; counts are summed):\n"
    "                     DESIGN::NAME.partition.corvane files, or DESIGN::exact.corvane in exact mode\n"
    "  -o OUT_FOLDER      write NAME.gcov listings, coverage.info (lcov) and cobertura.xml there\n"
    "  --fail-under PCT   exit with status 3 when the total statement coverage is below PCT, or when\n"
    "                     no statement was measured\n"
    "  --fail-under-branches PCT\n"
    "                     the same for the total branch coverage (exact mode), or when no branch\n"
    "                     was measured\n"
    "  SOURCE             a design's source file, tied to the design named by corvane -f: the\n"
    "                     file name without its extension, or NAME=PATH for any other name\n"
    "  --collect          move the trace files (*.partition.corvane, *::exact.corvane) that a\n"
    "                     simulation left in TRACE_FOLDER (corvane -d) into the new RUN_FOLDER,\n"
    "                     ready for the next run\n"
    "  -h, --help         show this text\n"
    "  --version          show the version\n"
    "\n"
    "Exit status: 0 done, 1 a map, trace folder or source cannot be read, 2 usage error (maps of\n"
    "both modes, a design in two maps), 3 coverage below --fail-under or\n"
    "--fail-under-branches, or no statement or branch measured.\n";

int Usage_Error(const std::string& message) {
    std::cerr << "corvane_cover: " << message << "\n" << usage;
    return 2;
}

int Failure(const std::string& message) {
    std::cerr << "corvane_cover: " << message << "\n";
    return 1;
}

void Warn(const std::string& message) { std::cerr << "corvane_cover: warning: " << message << "\n"; }

struct Options {
    std::vector<std::string> maps, runs, sources;
    std::string out_folder;
    bool fail_under_given = false;
    double fail_under = 0;
    bool fail_under_branches_given = false;
    double fail_under_branches = 0;
};

bool Is_Option(const std::string& arg) { return arg.size() > 1 && arg[0] == '-'; }

bool Parse_Percent(const std::string& s, double& value) {
    char* end = nullptr;
    errno = 0;
    value = std::strtod(s.c_str(), &end);
    return !s.empty() && *end == '\0' && errno == 0 && value >= 0 && value <= 100;
}

bool Read_Lines(const std::string& path, std::vector<std::string>& lines) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return !in.bad();
}

// Ties every source to its design: NAME=PATH, or the file name's stem.
int Tie_Sources(const Options& options, Coverage& coverage) {
    for (const std::string& arg : options.sources) {
        std::string name, path = arg;
        size_t eq = arg.find('=');
        if (eq != std::string::npos && eq > 0) {
            name = arg.substr(0, eq);
            path = arg.substr(eq + 1);
        } else {
            name = fs::path(arg).stem().string();
        }
        Design* design = nullptr;
        for (Design& d : coverage.designs)
            if (d.name == name) design = &d;
        if (!design) return Usage_Error("the source '" + arg + "' belongs to no design of the maps (design '" + name + "')");
        if (!design->source.empty())
            return Usage_Error("design '" + name + "' has two sources: '" + design->source + "' and '" + path + "'");
        design->source = path;
    }
    if (!options.out_folder.empty())
        for (const Design& d : coverage.designs)
            if (d.source.empty())
                return Usage_Error("design '" + d.name + "' has no source file; the listing and lcov need one (give PATH or " +
                                   d.name + "=PATH)");
    return 0;
}

bool Write_File(const std::string& path, const std::string& text, std::string& error) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
        error = "cannot write '" + path + "'";
        return false;
    }
    return true;
}

int Collect(int argc, char** argv) {
    if (argc != 4) return Usage_Error("--collect takes a trace folder and a run folder");
    std::string error;
    long moved = Collect_Traces(argv[2], argv[3], error);
    if (moved < 0) return Failure(error);
    std::cerr << "corvane_cover: moved " << moved << " trace files to " << argv[3] << "\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "--collect") == 0) return Collect(argc, argv);

    Options options;
    for (int i = 1; i < argc; i++) {
        std::string a = argv[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= argc) return false;
            into = argv[++i];
            return true;
        };
        std::string v;
        if (a == "-h" || a == "--help") {
            std::cout << usage;
            return 0;
        } else if (a == "--version") {
            std::cout << "corvane_cover " CORVANE_VERSION "\n";
            return 0;
        } else if (a == "-m") {
            if (i + 1 >= argc || Is_Option(argv[i + 1])) return Usage_Error("-m needs a map file");
            while (i + 1 < argc && !Is_Option(argv[i + 1])) options.maps.push_back(argv[++i]);
        } else if (a == "-t") {
            if (!value(v)) return Usage_Error("-t needs a run folder");
            options.runs.push_back(v);
        } else if (a == "-o") {
            if (!value(options.out_folder)) return Usage_Error("-o needs a folder");
        } else if (a == "--fail-under") {
            if (!value(v) || !Parse_Percent(v, options.fail_under))
                return Usage_Error("--fail-under needs a percentage from 0 to 100");
            options.fail_under_given = true;
        } else if (a == "--fail-under-branches") {
            if (!value(v) || !Parse_Percent(v, options.fail_under_branches))
                return Usage_Error("--fail-under-branches needs a percentage from 0 to 100");
            options.fail_under_branches_given = true;
        } else if (Is_Option(a)) {
            return Usage_Error("unknown option '" + a + "'");
        } else {
            options.sources.push_back(a);
        }
    }
    if (options.maps.empty()) return Usage_Error("no statement map given (-m)");
    if (options.runs.empty()) return Usage_Error("no run folder given (-t)");

    Coverage coverage;
    for (const std::string& map : options.maps) {
        std::string error;
        int status = 0;
        if (!Read_Map(map, coverage, error, status)) return status == 2 ? Usage_Error(error) : Failure(error);
    }
    Prepare_Counts(coverage);
    if (int status = Tie_Sources(options, coverage)) return status;

    std::map<std::string, std::vector<std::string>> sources;
    for (Design& d : coverage.designs) {
        if (d.source.empty()) continue;
        if (!Read_Lines(d.source, sources[d.name])) return Failure("cannot read the source file '" + d.source + "'");
        std::error_code ec;
        d.absolute_source = fs::absolute(d.source, ec).lexically_normal().string();
        size_t last = sources[d.name].size();
        for (int id : d.constructs)
            for (const Statement& s : coverage.constructs[id].statements)
                if (static_cast<size_t>(s.line) > last) {
                    Warn("the map of design '" + d.name + "' has a statement on line " + std::to_string(s.line) +
                         ", but '" + d.source + "' has only " + std::to_string(last) + " lines");
                    last = static_cast<size_t>(s.line);  // once per source
                }
    }

    std::vector<std::string> warnings;
    for (const std::string& run : options.runs) {
        std::string error;
        if (!Read_Run(run, coverage, warnings, error)) return Failure(error);
    }
    for (const std::string& w : warnings) Warn(w);
    for (const std::string& w : Trace_Line_Warnings(coverage)) Warn(w);
    for (const std::string& w : Finish_Counts(coverage)) Warn(w);

    if (!options.out_folder.empty()) {
        std::error_code ec;
        fs::create_directories(options.out_folder, ec);
        if (ec) return Failure("cannot create the folder '" + options.out_folder + "': " + ec.message());
        std::map<std::string, std::string> listing_names;
        std::string error;
        for (const Design& d : coverage.designs) {
            std::string name = fs::path(d.source).filename().string() + ".gcov";
            if (listing_names.count(name))
                return Usage_Error("the sources '" + listing_names[name] + "' and '" + d.source +
                                   "' would share the listing " + name);
            listing_names[name] = d.source;
            std::ostringstream listing;
            Write_Listing(listing, coverage, d, sources[d.name]);
            if (!Write_File((fs::path(options.out_folder) / name).string(), listing.str(), error)) return Failure(error);
        }
        std::ostringstream lcov, cobertura;
        Write_Lcov(lcov, coverage);
        Write_Cobertura(cobertura, coverage, fs::current_path(ec).string(), static_cast<long long>(std::time(nullptr)));
        if (!Write_File((fs::path(options.out_folder) / "coverage.info").string(), lcov.str(), error) ||
            !Write_File((fs::path(options.out_folder) / "cobertura.xml").string(), cobertura.str(), error))
            return Failure(error);
    }

    Write_Summary(std::cout, coverage);
    std::cout.flush();
    if (!std::cout) return Failure("cannot write to standard output");
    Totals t = Total_Coverage(coverage);
    // Every gate that fails says so.
    int status = 0;
    char s[96];
    if (options.fail_under_given && t.statements == 0) {
        std::cerr << "corvane_cover: no statement was measured\n";
        status = 3;
    } else if (options.fail_under_given && t.percent < options.fail_under) {
        std::snprintf(s, sizeof s, "total statement coverage %.1f%% is below %g%%", t.percent, options.fail_under);
        std::cerr << "corvane_cover: " << s << "\n";
        status = 3;
    }
    if (options.fail_under_branches_given && t.branches == 0) {
        std::cerr << "corvane_cover: no branch was measured\n";
        status = 3;
    } else if (options.fail_under_branches_given && t.branch_percent < options.fail_under_branches) {
        std::snprintf(s, sizeof s, "total branch coverage %.1f%% is below %g%%", t.branch_percent,
                      options.fail_under_branches);
        std::cerr << "corvane_cover: " << s << "\n";
        status = 3;
    }
    return status;
}
