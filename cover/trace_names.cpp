#include "trace_names.h"

namespace {

const std::string partition_suffix = ".partition.corvane";
const std::string exact_rest = "exact.corvane";

}  // namespace

const char* const trace_patterns = "*.partition.corvane or *::exact.corvane";

Trace_Name Parse_Trace_Name(const std::string& path) {
    Trace_Name t;
    // Construct names are identifiers joined by ':', so the directory ends
    // at the last '/' and the design name at the first "::" after it.
    size_t slash = path.rfind('/');
    size_t start = slash == std::string::npos ? 0 : slash + 1;
    size_t colons = path.find("::", start);
    if (colons == std::string::npos || colons == start) return t;
    std::string rest = path.substr(colons + 2);
    if (rest == exact_rest) {
        t.mode = Mode::exact;
    } else if (rest.size() >= partition_suffix.size() &&
               rest.compare(rest.size() - partition_suffix.size(), partition_suffix.size(), partition_suffix) == 0) {
        t.mode = Mode::partition;
        t.construct = rest.substr(0, rest.size() - partition_suffix.size());
    } else {
        return t;
    }
    t.base = path.substr(start);
    t.design = path.substr(start, colons - start);
    return t;
}

std::string Partition_Trace_Name(const std::string& design, const std::string& construct) {
    return design + "::" + construct + partition_suffix;
}

std::string Exact_Trace_Name(const std::string& design) { return design + "::" + exact_rest; }

const char* Mode_Phrase(Mode mode) {
    return mode == Mode::exact ? "exact mode (corvane --exact)" : "the default mode";
}
