// Names and messages derived from the FILEs: the translator's -f name of
// every file, and its syntax-error report turned into a compiler's message.
#pragma once

#include <string>
#include <vector>

// One -f name per file, from its base name without the extension: lower
// case, every character other than a letter or digit made '_', runs of '_'
// made one, no '_' at either end, a leading "f" when it does not begin with
// a letter; a name met before (in any case) gets "_2", "_3"... So every
// name is a VHDL identifier, the package corvane_NAME is one too, and no two
// files share a package or a trace.
std::vector<std::string> Design_Names(const std::vector<std::string>& files);

// The translator's report of a syntax error, on its standard output:
//   \nERROR:'parse error' in your Source Code!!!!\nString:(TOKEN) Line:L Column:C\n
// where C is the column just past the token (tabs to the next multiple of
// 8). Returns FILE:L:COLUMN: parse error at 'TOKEN', COLUMN the token's
// first character in source_line (counted from 1, a tab is one), or
// "at end of file" for an empty token. Returns "" when the report is not
// one.
std::string Syntax_Error_Message(const std::string& file, const std::string& report,
                                 const std::vector<std::string>& source_lines);

// The lines of a gcov listing (corvane_cover -o) that never ran: each as
// FILE:LINE: source text (the text without its leading blanks).
std::vector<std::string> Never_Run_Lines(const std::string& file, const std::string& listing);
