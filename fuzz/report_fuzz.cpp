// libFuzzer harness of the report tool: one input is one line-trace file,
// optionally preceded by the file's name. The tool runs in this process on
// that file, and its output, error stream and status must equal those of a
// plain model of the counting rules:
//   - the file is cut into pieces that end after a line feed or after 79
//     bytes, each read as atoi reads it, held at the limits of int;
//   - the distinct numbers are reported in the reverse order of their first
//     appearance, with their counts;
//   - the name is split as sscanf "%[^:]::%[^.].partition.corvane" splits it;
//   - in a trace named NAME::exact.corvane, a line with a colon is read whole:
//     KEY:COUNT pairs joined by single spaces add COUNT to the line of KEY
//     (LINE or LINE.K, LINE from 1 held at the limit of int, K from 2, COUNT
//     from 1 to 10^18 - 1); any other such line counts as line 0 and is
//     told of on standard error.
// An input that starts with '@' names the file with its first line (no
// slash, 1 to 100 bytes); every other input is the content of
// t::p.partition.corvane.
#include <climits>
#include <regex>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <unordered_map>
#include <utility>
#include <vector>

#define main corvane_viru_main
#include "../report/corvane_viru.cpp"
#undef main

namespace {

void Fail(const char* what, const std::string& expected, const std::string& actual) {
    std::fprintf(stderr, "property broken: %s\nexpected:\n%.2000s\nactual:\n%.2000s\n", what, expected.c_str(),
                 actual.c_str());
    std::abort();
}

const std::string& Scratch_Directory() {
    static std::string dir = [] {
        char name[] = "/tmp/corvane-report-fuzz-XXXXXX";
        if (!mkdtemp(name)) std::abort();
        return std::string(name);
    }();
    return dir;
}

int Piece_Value(const std::string& piece) {
    long value = std::strtol(piece.c_str(), nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

// The digits without their leading zeros.
std::string Significant(const std::string& digits) {
    size_t first = digits.find_first_not_of('0');
    return first == std::string::npos ? "" : digits.substr(first);
}

// The pairs of a line (without its line end) as (line, count), or false.
bool Model_Pairs(const std::string& line, std::vector<std::pair<int, long long>>& pairs) {
    static const std::regex pair_line("[0-9]+(\\.[0-9]+)?:[0-9]+( [0-9]+(\\.[0-9]+)?:[0-9]+)*");
    static const std::regex pair("([0-9]+)(\\.([0-9]+))?:([0-9]+)");
    if (!std::regex_match(line, pair_line)) return false;
    for (std::sregex_iterator it(line.begin(), line.end(), pair), end; it != end; ++it) {
        std::string key = Significant((*it)[1]), k = Significant((*it)[3]), count = Significant((*it)[4]);
        if (key.empty() || ((*it)[2].matched && (k.empty() || k == "1")) || count.empty() || count.size() > 18)
            return false;
        int value = key.size() > 10 || std::stoll(key) > INT_MAX ? INT_MAX : static_cast<int>(std::stoll(key));
        pairs.emplace_back(value, std::stoll(count));
    }
    return true;
}

std::string Model_Report(const std::string& name, const std::string& trace, std::string& told) {
    std::vector<std::pair<int, long long>> counts;  // in order of first appearance
    std::unordered_map<int, size_t> at;
    std::string piece;
    auto add = [&](int value, long long n) {
        auto found = at.emplace(value, counts.size());
        if (found.second)
            counts.emplace_back(value, n);
        else
            counts[found.first->second].second += n;
    };
    auto count = [&] {
        add(Piece_Value(piece), 1);
        piece.clear();
    };
    size_t colons = name.find("::");
    bool exact = colons != std::string::npos && colons > 0 && name.substr(colons + 2) == "exact.corvane";
    long long malformed = 0;
    for (size_t start = 0; start < trace.size();) {
        size_t end = trace.find('\n', start);
        std::string line = trace.substr(start, end == std::string::npos ? end : end - start);
        start = end == std::string::npos ? trace.size() : end + 1;
        std::vector<std::pair<int, long long>> pairs;
        if (exact && line.find(':') != std::string::npos) {
            if (Model_Pairs(line, pairs)) {
                for (const auto& p : pairs) add(p.first, p.second);
            } else {
                add(0, 1);
                malformed++;
            }
            continue;
        }
        if (end != std::string::npos) line += '\n';
        for (char c : line) {
            piece += c;
            if (c == '\n' || piece.size() == 79) count();
        }
        if (!piece.empty()) count();
    }
    told = malformed == 0 ? ""
                          : "corvane_viru: " + std::to_string(malformed) + " lines of '" + name +
                                "' hold a colon but are no KEY:COUNT pairs; each is counted as line 0\n";

    char file[256] = "", function[256] = "";
    int parts = std::sscanf(name.c_str(), "%255[^:]::%255[^.].partition.corvane", file, function);
    std::string report = parts == 2 ? "" : "sscanf FAILED!\n";
    if (parts < 1) file[0] = '\0';
    if (parts < 2) function[0] = '\0';
    for (size_t i = counts.size(); i-- > 0;) {
        report += "File: " + std::string(file) + ";\tFunction: " + function +
                  ";\tLine: " + std::to_string(counts[i].first) +
                  ";\tOccurred: " + std::to_string(counts[i].second) + "\n";
    }
    return report;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    std::string input(reinterpret_cast<const char*>(data), size);
    std::string name = "t::p.partition.corvane";
    if (!input.empty() && input[0] == '@') {
        size_t end = input.find('\n');
        if (end == std::string::npos) return 0;
        name = input.substr(1, end - 1);
        input.erase(0, end + 1);
        if (name.empty() || name.size() > 100 || name.find('/') != std::string::npos ||
            name.find('\0') != std::string::npos)
            return 0;
    }
    const std::string path = Scratch_Directory() + "/" + name;
    bool directory = name == "." || name == "..";
    bool usage = name == "-h" || name == "--help";
    if (!directory && !usage) {
        FILE* f = std::fopen(path.c_str(), "wb");
        if (!f) std::abort();
        std::fwrite(input.data(), 1, input.size(), f);
        std::fclose(f);
    }

    // The tool's own state as a fresh process has it.
    file_name = "temp";
    file_part = {};
    function_part = {};
    output_errno = 0;
    exact_trace = false;
    malformed_pair_lines = 0;

    char* out_bytes = nullptr;
    size_t out_size = 0;
    char* err_bytes = nullptr;
    size_t err_size = 0;
    FILE* out = open_memstream(&out_bytes, &out_size);
    FILE* err = open_memstream(&err_bytes, &err_size);
    if (!out || !err) std::abort();
    FILE* saved_out = stdout;
    FILE* saved_err = stderr;
    stdout = out;
    stderr = err;
    char* cwd = getcwd(nullptr, 0);
    if (chdir(Scratch_Directory().c_str()) != 0) std::abort();
    char* argv[] = {const_cast<char*>("corvane_viru"), name.data(), nullptr};
    int status = corvane_viru_main(2, argv);
    if (chdir(cwd) != 0) std::abort();
    std::free(cwd);
    std::fflush(stdout);
    std::fflush(stderr);
    stdout = saved_out;
    stderr = saved_err;
    std::fclose(out);
    std::fclose(err);
    std::string actual_out(out_bytes, out_size), actual_err(err_bytes, err_size);
    std::free(out_bytes);
    std::free(err_bytes);
    if (!directory && !usage) unlink(path.c_str());

    std::string expected_out, told;
    int expected_status = 0;
    if (usage) {
        expected_out = "\nOptions:  corvane_viru <file::func.partition.corvane> [> clean_file]\n" +
                       std::string(70, '-') + "\n\n";
    } else if (directory) {
        expected_out = "ERROR: cannot open file '(" + name + ")'...\n\n";
        expected_status = 1;
    } else {
        expected_out = Model_Report(name, input, told);
    }
    if (actual_err != "(1): " + name + "\n" + told) Fail("standard error", "(1): " + name + "\n" + told, actual_err);
    if (actual_out != expected_out) Fail("standard output", expected_out, actual_out);
    if (status != expected_status) Fail("exit status", std::to_string(expected_status), std::to_string(status));
    return 0;
}
