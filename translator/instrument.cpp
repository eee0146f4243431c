#include "instrument.h"

#include <cstdio>

#include "driver.h"
#include "scanner.h"
#include "stack.h"

std::string directory_name = "/tmp/";
std::string filename_name = "test";
std::string function_name;

namespace {

int sequential_depth = 0;

}  // namespace

Text Trace_File_Declaration() {
    std::string s = " FILE outfile1 : TEXT IS OUT \"";
    s += directory_name;
    s += '/';
    s += filename_name;
    s += "::";
    s += function_name;
    s += ".partition.corvane\"; variable out_line : LINE; variable line_number : integer;";
    return Make_String(s);
}

Text Line_Trace_Statement() {
    if (sequential_depth == 0) return Empty_Text();
    char s[128];
    int n = std::snprintf(s, sizeof s,
                          "line_number := %d; WRITE(out_line,line_number); WRITELINE(outfile1,out_line);",
                          current_line_number);
    return Make_String(s, static_cast<size_t>(n));
}

void Enter_Sequential_Code() { sequential_depth++; }

void Leave_Sequential_Code() { sequential_depth--; }

void End_Of_Construct(unsigned head_flags) {
    if (head_flags & NAME_PUSHED) Pop_Stack();
    Leave_Sequential_Code();
}

Text Join_Design_Unit(Text design_file, Text design_unit) {
    if (!(design_unit.flags & PRIMARY_UNIT)) return Format("%s%s", design_file, design_unit);
    Text line_feeds = Take_Linefeeds(design_unit);
    return Format("%s%s%s%s", design_file, line_feeds, Text_Ref{"USE STD.TEXTIO.ALL;", 19}, design_unit);
}

void Print_Design(const Text& design) {
    std::fputs("USE STD.TEXTIO.ALL;", stdout);
    Write_Text(stdout, design);
}
