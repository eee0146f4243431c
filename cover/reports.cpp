#include "reports.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace {

std::string Percent(long executed, long statements) {
    if (statements == 0) return "-";
    char s[32];
    std::snprintf(s, sizeof s, "%.1f%%", 100.0 * static_cast<double>(executed) / static_cast<double>(statements));
    return s;
}

std::string Rate(long covered, long valid) {
    char s[32];
    std::snprintf(s, sizeof s, "%.4f", valid == 0 ? 1.0 : static_cast<double>(covered) / static_cast<double>(valid));
    return s;
}

std::string Design_File(const Design& d) { return d.source.empty() ? d.name : d.source; }

std::string Note(const Coverage& coverage, const Construct& c) {
    std::vector<std::string> notes;
    if (Last_Call_Only(coverage, c)) notes.push_back("last call");
    if (Reopened_Per_Outer_Call(coverage, c)) notes.push_back("last outer call");
    if (c.declarations > 1) notes.push_back("shared trace file");
    if (c.runs_seen == 0) notes.push_back("no trace");
    std::string s;
    for (const std::string& n : notes) s += (s.empty() ? "" : ", ") + n;
    return s;
}

// The count of every statement line of a construct: two statements that
// begin on one line ran as often as the line ran, the busier one. (In the
// default mode they share one count: the trace holds the line only.)
std::map<int, uint64_t> Construct_Lines(const Construct& c) {
    std::map<int, uint64_t> lines;
    for (const Statement& s : c.statements) {
        uint64_t& count = lines[s.line];
        count = std::max(count, s.count);
    }
    return lines;
}

// The count of every statement line of a design, by line. Exact mode counts
// each statement, so a line ran as often as its busiest statement; the
// default mode's constructs count a line each in their own trace, and the
// line ran as often as they counted it together.
std::map<int, uint64_t> Design_Lines(const Coverage& coverage, const Design& d) {
    std::map<int, uint64_t> lines;
    for (int id : d.constructs)
        for (const auto& [line, count] : Construct_Lines(coverage.constructs[id])) {
            uint64_t& total = lines[line];
            total = coverage.mode == Mode::exact ? std::max(total, count) : total + count;
        }
    return lines;
}

// Whether the lcov file has a function record of the construct: every
// construct of the default mode, those with an entry key in exact mode.
bool Reports_Entries(const Coverage& coverage, const Construct& c) {
    return coverage.mode != Mode::exact || c.entry_slot >= 0;
}

std::string Xml(const std::string& s) {
    std::string r;
    for (char ch : s) {
        switch (ch) {
        case '&': r += "&amp;"; break;
        case '<': r += "&lt;"; break;
        case '>': r += "&gt;"; break;
        case '"': r += "&quot;"; break;
        case '\'': r += "&apos;"; break;
        default: r += ch;
        }
    }
    return r;
}

}  // namespace

std::string Display_Name(const Construct& c) { return c.name.empty() ? "(unnamed)" : c.name; }

Totals Total_Coverage(const Coverage& coverage) {
    Totals t;
    for (const Construct& c : coverage.constructs) {
        t.statements += static_cast<long>(c.statements.size());
        t.executed += Executed_Statements(c);
    }
    if (t.statements > 0) t.percent = 100.0 * static_cast<double>(t.executed) / static_cast<double>(t.statements);
    return t;
}

void Write_Summary(std::ostream& out, const Coverage& coverage) {
    struct Row {
        std::string file, construct, kind, statements, executed, percent, note;
    };
    std::vector<Row> rows;
    rows.push_back({"File", "Construct", "Kind", "Statements", "Executed", "Cover", ""});
    for (const Design& d : coverage.designs)
        for (int id : d.constructs) {
            const Construct& c = coverage.constructs[id];
            long n = static_cast<long>(c.statements.size()), e = Executed_Statements(c);
            rows.push_back({Design_File(d), Display_Name(c), c.kind, std::to_string(n), std::to_string(e),
                            Percent(e, n), Note(coverage, c)});
        }
    Totals t = Total_Coverage(coverage);
    rows.push_back({"Total", "", "", std::to_string(t.statements), std::to_string(t.executed),
                    Percent(t.executed, t.statements), ""});
    size_t w[6] = {0, 0, 0, 0, 0, 0};
    for (const Row& r : rows) {
        const std::string* f[6] = {&r.file, &r.construct, &r.kind, &r.statements, &r.executed, &r.percent};
        for (int i = 0; i < 6; i++) w[i] = std::max(w[i], f[i]->size());
    }
    auto left = [&](const std::string& s, size_t width) { return s + std::string(width - s.size(), ' '); };
    auto right = [&](const std::string& s, size_t width) { return std::string(width - s.size(), ' ') + s; };
    for (const Row& r : rows) {
        std::string line = left(r.file, w[0]) + "  " + left(r.construct, w[1]) + "  " + left(r.kind, w[2]) + "  " +
                           right(r.statements, w[3]) + "  " + right(r.executed, w[4]) + "  " + right(r.percent, w[5]);
        if (!r.note.empty()) line += "  " + r.note;
        out << line << '\n';
    }
    out << "Runs merged: " << coverage.runs << '\n';
}

void Write_Listing(std::ostream& out, const Coverage& coverage, const Design& design,
                   const std::vector<std::string>& source_lines) {
    std::map<int, uint64_t> lines = Design_Lines(coverage, design);
    char s[64];
    out << "        -:    0:Source:" << design.source << '\n';
    out << "        -:    0:Runs:" << coverage.runs << '\n';
    for (size_t i = 0; i < source_lines.size(); i++) {
        int line = static_cast<int>(i + 1);
        auto found = lines.find(line);
        if (found == lines.end())
            std::snprintf(s, sizeof s, "%9s:%5d:", "-", line);
        else if (found->second == 0)
            std::snprintf(s, sizeof s, "%9s:%5d:", "#####", line);
        else
            std::snprintf(s, sizeof s, "%9llu:%5d:", static_cast<unsigned long long>(found->second), line);
        out << s << source_lines[i] << '\n';
    }
}

void Write_Lcov(std::ostream& out, const Coverage& coverage) {
    for (const Design& d : coverage.designs) {
        out << "TN:corvane\n";
        out << "SF:" << d.absolute_source << '\n';
        long functions = 0, hit_functions = 0;
        for (int id : d.constructs) {
            const Construct& c = coverage.constructs[id];
            if (Reports_Entries(coverage, c)) out << "FN:" << c.head_line << ',' << Display_Name(c) << '\n';
        }
        for (int id : d.constructs) {
            const Construct& c = coverage.constructs[id];
            if (!Reports_Entries(coverage, c)) continue;
            functions++;
            if (c.entries > 0) hit_functions++;
            out << "FNDA:" << c.entries << ',' << Display_Name(c) << '\n';
        }
        out << "FNF:" << functions << '\n';
        out << "FNH:" << hit_functions << '\n';
        std::map<int, uint64_t> lines = Design_Lines(coverage, d);
        long hit = 0;
        for (const auto& [line, count] : lines) {
            out << "DA:" << line << ',' << count << '\n';
            if (count > 0) hit++;
        }
        out << "LF:" << lines.size() << '\n';
        out << "LH:" << hit << '\n';
        out << "end_of_record\n";
    }
}

void Write_Cobertura(std::ostream& out, const Coverage& coverage, const std::string& base_directory,
                     long long timestamp) {
    long valid = 0, covered = 0;
    for (const Design& d : coverage.designs)
        for (const auto& [line, count] : Design_Lines(coverage, d)) {
            valid++;
            if (count > 0) covered++;
        }
    out << "<?xml version=\"1.0\" ?>\n";
    out << "<!DOCTYPE coverage SYSTEM \"http://cobertura.sourceforge.net/xml/coverage-04.dtd\">\n";
    out << "<coverage line-rate=\"" << Rate(covered, valid) << "\" branch-rate=\"0\" lines-covered=\"" << covered
        << "\" lines-valid=\"" << valid << "\" branches-covered=\"0\" branches-valid=\"0\" complexity=\"0\""
        << " version=\"corvane_cover\" timestamp=\"" << timestamp << "\">\n";
    out << "  <sources>\n    <source>" << Xml(base_directory) << "</source>\n  </sources>\n";
    out << "  <packages>\n";
    for (const Design& d : coverage.designs) {
        long d_valid = 0, d_covered = 0;
        for (const auto& [line, count] : Design_Lines(coverage, d)) {
            d_valid++;
            if (count > 0) d_covered++;
        }
        out << "    <package name=\"" << Xml(Design_File(d)) << "\" line-rate=\"" << Rate(d_covered, d_valid)
            << "\" branch-rate=\"0\" complexity=\"0\">\n";
        out << "      <classes>\n";
        for (int id : d.constructs) {
            const Construct& c = coverage.constructs[id];
            std::map<int, uint64_t> lines = Construct_Lines(c);
            long c_covered = 0;
            for (const auto& [line, count] : lines)
                if (count > 0) c_covered++;
            out << "        <class name=\"" << Xml(Display_Name(c)) << "\" filename=\"" << Xml(Design_File(d))
                << "\" line-rate=\"" << Rate(c_covered, static_cast<long>(lines.size()))
                << "\" branch-rate=\"0\" complexity=\"0\">\n";
            if (coverage.mode == Mode::exact && c.entry_slot >= 0) {
                // Exact mode counts the entries of processes and subprograms:
                // a method entered at the construct's first line as often as
                // it ran.
                out << "          <methods>\n"
                    << "            <method name=\"" << Xml(Display_Name(c)) << "\" signature=\"\" line-rate=\""
                    << Rate(c.entries > 0 ? 1 : 0, 1) << "\" branch-rate=\"0\" complexity=\"0\">\n"
                    << "              <lines>\n"
                    << "                <line number=\"" << c.head_line << "\" hits=\"" << c.entries
                    << "\" branch=\"false\"/>\n"
                    << "              </lines>\n"
                    << "            </method>\n"
                    << "          </methods>\n";
            } else {
                out << "          <methods/>\n";
            }
            out << "          <lines>\n";
            for (const auto& [line, count] : lines)
                out << "            <line number=\"" << line << "\" hits=\"" << count << "\" branch=\"false\"/>\n";
            out << "          </lines>\n        </class>\n";
        }
        out << "      </classes>\n    </package>\n";
    }
    out << "  </packages>\n</coverage>\n";
}
