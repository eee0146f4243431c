#include "trace_files.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

const std::string suffix = ".partition.corvane";

bool Is_Trace_Name(const std::string& name) {
    return name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
}

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
        if (Is_Trace_Name(name)) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
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

bool Read_Run(const std::string& folder, Coverage& coverage, std::vector<std::string>& unknown,
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
        error = "the trace folder '" + folder + "' holds no trace file (*.partition.corvane)";
        return false;
    }
    for (const std::string& name : names) {
        std::string path = (fs::path(folder) / name).string();
        auto found = coverage.by_trace_file.find(name);
        if (found == coverage.by_trace_file.end()) {
            unknown.push_back(path);
            continue;
        }
        Construct& c = coverage.constructs[found->second];
        if (!Count_Trace_File(path, c)) {
            error = "cannot read the trace file '" + path + "'";
            return false;
        }
        c.runs_seen++;
    }
    coverage.runs++;
    return true;
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
        error = "the trace folder '" + from + "' holds no trace file (*.partition.corvane)";
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
