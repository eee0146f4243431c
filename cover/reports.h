// What corvane_cover writes: the summary table, the annotated listing of a
// source file, the lcov tracefile and the Cobertura XML file.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "coverage.h"

// The construct's name as reports show it; an unlabelled process at design
// level has an empty name.
std::string Display_Name(const Construct& c);

struct Totals {
    long statements = 0;
    long executed = 0;
    double percent = 100.0;  // 100 when there is no statement
    // Exact mode: the arms of the branching statements, and those taken.
    long branches = 0;
    long taken = 0;
    double branch_percent = 100.0;  // 100 when there is no branch
};
Totals Total_Coverage(const Coverage& coverage);

// One row per design file and construct, then the total line; in exact mode
// with the branches and those taken after the statements.
void Write_Summary(std::ostream& out, const Coverage& coverage);

// Every source line as count:line:text; "#####" marks a statement line that
// never ran and "-" a line without a statement. In exact mode a line with
// branching statements is followed by one line per arm, as gcov -b prints them.
void Write_Listing(std::ostream& out, const Coverage& coverage, const Design& design,
                   const std::vector<std::string>& source_lines);

void Write_Lcov(std::ostream& out, const Coverage& coverage);

// base_directory: the folder that the source paths are relative to.
void Write_Cobertura(std::ostream& out, const Coverage& coverage, const std::string& base_directory,
                     long long timestamp);
