#include "trace_files.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "exact_lines.h"
#include "exact_map.h"

namespace fs = std::filesystem;

namespace {

void Count_Line(Construct& c, long long line, bool digits, bool junk) {
    if (!digits || junk) {
        c.bad_lines++;
        return;
    }
    if (line >= 0 && static_cast<unsigned long long>(line) < c.mapped.size() && c.mapped[line])
        c.counts[line]++;
    else
        c.unmapped[line]++;
}

std::vector<std::string> Trace_Names(const std::string& folder, std::error_code& ec) {
    std::vector<std::string> names;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (Parse_Trace_Name(name).mode != Mode::none) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string No_Trace_File(const std::string& folder) {
    return "the trace folder '" + folder + "' holds no trace file (" + trace_patterns + ")";
}

// A key of an exact-mode trace line, (LINE, K) with K = 1 for LINE alone,
// and how often it ran.
inline void Count_Key(Point_Counts& p, long long line, long long k, uint64_t count) {
    if (k == 1) {
        if (line < static_cast<long long>(p.known.size()) && p.known[line]) {
            p.counts[line] += count;
            return;
        }
    } else if (line + 1 < static_cast<long long>(p.line_base.size())) {
        for (uint32_t s = p.line_base[line], end = p.line_base[line + 1]; s < end; s++)
            if (p.slot_k[s] == k) {
                p.counts[s] += count;
                return;
            }
    }
    p.unknown[{line, k}] += count;
}

}  // namespace

// The hot loop of the tool: every byte of every trace passes here once. A
// line is optional blanks, decimal digits, optional blanks (a '\r' too) and
// its line end; a known line is one array increment.
bool Count_Trace_File(const std::string& path, Construct& c) {
    FILE* in = std::fopen(path.c_str(), "rb");
    if (!in) return false;
    static char buffer[1 << 20];
    long long value = 0;
    bool digits = false, junk = false, after_digits = false, empty = true;
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) {
        const char* p = buffer;
        const char* end = buffer + n;
        while (p < end) {
            unsigned char ch = static_cast<unsigned char>(*p++);
            unsigned d = ch - '0';
            if (d < 10) {
                if (after_digits) junk = true;
                if (value < 100000000000LL) value = value * 10 + d;
                digits = true;
                empty = false;
            } else if (ch == '\n') {
                Count_Line(c, value, digits, junk);
                value = 0;
                digits = junk = after_digits = false;
                empty = true;
            } else if (ch == ' ' || ch == '\t' || ch == '\r') {
                if (digits) after_digits = true;
            } else {
                junk = true;
                empty = false;
            }
        }
    }
    bool ok = !std::ferror(in);
    std::fclose(in);
    if (!empty || digits) Count_Line(c, value, digits, junk);  // a last line without its line end
    return ok;
}

// The hot loop of exact mode: the lines are found a block at a time and
// read by Read_Exact_Line; a key LINE of the map is found at once, a key
// LINE.K among the few of its line. A line longer than the buffer grows it.
bool Count_Exact_Trace_File(const std::string& path, Point_Counts& points) {
    FILE* in = std::fopen(path.c_str(), "rb");
    if (!in) return false;
    std::vector<char> buffer(1 << 20);
    auto count = [&points](long long line, long long k, uint64_t n) { Count_Key(points, line, k, n); };
    auto read_line = [&](const char* from, const char* to) {
        if (!Read_Exact_Line(from, to, count)) points.bad_lines++;
    };
    size_t kept = 0;  // the unfinished last line of the block, moved to the front
    for (;;) {
        if (kept == buffer.size()) buffer.resize(2 * buffer.size());
        size_t n = std::fread(buffer.data() + kept, 1, buffer.size() - kept, in);
        if (n == 0) break;
        const char* p = buffer.data();
        const char* end = p + kept + n;
        for (const char* lf; (lf = static_cast<const char*>(std::memchr(p, '\n', end - p))) != nullptr; p = lf + 1)
            read_line(p, lf);
        kept = static_cast<size_t>(end - p);
        std::memmove(buffer.data(), p, kept);
    }
    bool ok = !std::ferror(in);
    std::fclose(in);
    // A last line without its line end, unless it is blanks alone.
    const char* last = buffer.data();
    if (std::any_of(last, last + kept, [](char ch) { return !exact_lines::Is_Blank(ch); }))
        read_line(last, last + kept);
    return ok;
}

bool Read_Run(const std::string& folder, Coverage& coverage, std::vector<std::string>& warnings,
              std::string& error) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        error = "the trace folder '" + folder + "' does not exist or is no folder";
        return false;
    }
    std::vector<std::string> names = Trace_Names(folder, ec);
    if (ec) {
        error = "cannot read the trace folder '" + folder + "': " + ec.message();
        return false;
    }
    if (names.empty()) {
        // A simulation opens every trace file when it elaborates the design,
        // so a run always leaves at least one.
        error = No_Trace_File(folder);
        return false;
    }
    Mode maps = coverage.mode == Mode::exact ? Mode::exact : Mode::partition;
    for (const std::string& name : names) {
        std::string path = (fs::path(folder) / name).string();
        Trace_Name trace = Parse_Trace_Name(name);
        bool read = true;
        if (trace.mode != maps) {
            warnings.push_back("the trace '" + path + "' was written in " + Mode_Phrase(trace.mode) +
                               ", but the maps in " + Mode_Phrase(maps) + "; its lines are not counted");
        } else if (maps == Mode::partition) {
            auto found = coverage.by_trace_file.find(name);
            if (found == coverage.by_trace_file.end()) {
                warnings.push_back("the trace '" + path +
                                   "' belongs to no construct of the maps; its lines are not counted");
                continue;
            }
            Construct& c = coverage.constructs[found->second];
            read = Count_Trace_File(path, c);
            c.runs_seen++;
        } else {
            auto found = std::find_if(coverage.designs.begin(), coverage.designs.end(),
                                      [&](const Design& d) { return d.name == trace.design; });
            if (found == coverage.designs.end()) {
                warnings.push_back("the trace '" + path +
                                   "' belongs to no design of the maps; its lines are not counted");
                continue;
            }
            read = Count_Exact_Trace_File(path, found->points);
            found->runs_seen++;
        }
        if (!read) {
            error = "cannot read the trace file '" + path + "'";
            return false;
        }
    }
    coverage.runs++;
    return true;
}

std::vector<std::string> Trace_Line_Warnings(const Coverage& coverage) {
    std::vector<std::string> warnings;
    if (coverage.mode == Mode::exact) {
        for (const Design& d : coverage.designs) {
            for (const auto& [key, count] : d.points.unknown)
                warnings.push_back(d.name + ": key " + Key_Text(key.first, key.second) +
                                   " is not in the map; it occurred " + std::to_string(count) + " times (not counted)");
            if (d.points.bad_lines > 0)
                warnings.push_back(d.name + ": " + std::to_string(d.points.bad_lines) +
                                   " trace lines are neither a key nor a line of counters (not counted)");
        }
        return warnings;
    }
    for (const Construct& c : coverage.constructs) {
        std::string who = c.design + "::" + c.name;
        if (c.declarations > 1)
            warnings.push_back(who + ": " + std::to_string(c.declarations) +
                               " constructs write this one trace file, so their counts are mixed");
        for (const auto& [line, count] : c.unmapped)
            warnings.push_back(who + ": line " + std::to_string(line) +
                               " is no statement line of the map; it occurred " + std::to_string(count) +
                               " times (not counted)");
        if (c.bad_lines > 0)
            warnings.push_back(who + ": " + std::to_string(c.bad_lines) +
                               " trace lines hold no line number (not counted)");
    }
    return warnings;
}

long Collect_Traces(const std::string& from, const std::string& to, std::string& error) {
    std::error_code ec;
    if (!fs::is_directory(from, ec)) {
        error = "the trace folder '" + from + "' does not exist or is no folder";
        return -1;
    }
    std::vector<std::string> names = Trace_Names(from, ec);
    if (ec) {
        error = "cannot read the trace folder '" + from + "': " + ec.message();
        return -1;
    }
    if (names.empty()) {
        error = No_Trace_File(from);
        return -1;
    }
    if (fs::exists(to, ec) && !fs::is_empty(to, ec)) {
        error = "the run folder '" + to + "' exists and is not empty";
        return -1;
    }
    fs::create_directories(to, ec);
    if (ec) {
        error = "cannot create the run folder '" + to + "': " + ec.message();
        return -1;
    }
    for (const std::string& name : names) {
        fs::path source = fs::path(from) / name, target = fs::path(to) / name;
        fs::rename(source, target, ec);
        if (ec) {
            // Another file system: copy, then remove.
            ec.clear();
            fs::copy_file(source, target, ec);
            if (!ec) fs::remove(source, ec);
        }
        if (ec) {
            error = "cannot move '" + source.string() + "' to '" + to + "': " + ec.message();
            return -1;
        }
    }
    return static_cast<long>(names.size());
}
