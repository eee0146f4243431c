// The profiling text inserted into processes and subprogram bodies.
#pragma once

#include <string>

#include "text.h"

// Parts of the line-trace file names: "-d", "-f", and the construct's name.
extern std::string directory_name;
extern std::string filename_name;
extern std::string function_name;

// The declaration of the construct's line-trace file, named from
// directory_name, filename_name and function_name.
Text Trace_File_Declaration();

// The statement that writes current_line_number into the line-trace file.
// Outside processes and subprogram bodies (a concurrent assertion or
// procedure call) nothing is counted and the text is empty.
Text Line_Trace_Statement();

// Bracket the processes and subprograms, from their head to their end.
void Enter_Sequential_Code();
void Leave_Sequential_Code();

// The end of a process or subprogram: its name leaves the name stack if its
// head pushed one (an unlabelled process or an operator function pushed none).
void End_Of_Construct(unsigned head_flags);

// Rule 3: a design unit after the first whose library unit is a primary unit
// gets its own "USE STD.TEXTIO.ALL;", after its leading line feeds, since a
// use clause reaches only the unit it stands in front of.
Text Join_Design_Unit(Text design_file, Text design_unit);
