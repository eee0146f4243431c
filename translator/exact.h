// Exact mode (--exact): one trace file per design file, written by a small
// package that the output declares on its first line, in front of the
// design. Every counted statement calls that package in front of its first
// token, so the counts of all instances, calls and constructs add up in one
// file, and nothing is declared in the design's own regions.
//
// A counting point is named by its key: the source line it stands on, and
// when it is not the first point of that line, its ordinal on it ("42",
// "42.2"). Each execution writes its key as one line of the trace.
#pragma once

#include <string>

#include "instrument.h"
#include "text.h"

extern bool exact_mode;

// The package's name made from the -f name: "corvane_" and the name in lower
// case. False when that is no VHDL identifier, or the trace path cannot be a
// VHDL string; error then says why.
bool Exact_Names_Valid(std::string& error);

// The package and its body: the text of the output's first line.
std::string Exact_Package();
// The use clause that opens each design unit, so that its counts reach the
// package through a name the design cannot hide.
std::string Exact_Use_Clause();

// Constructs: processes and subprograms from head to end; a concurrent
// statement from its first counting point to its reduction.
void Exact_Open(Construct_Kind kind, int head_line, const std::string& own_name);
// The end of the innermost process or subprogram: path is the name stack as
// joined at its end, which holds its own name when it pushed one.
void Exact_Close(const std::string& path, bool named);
// A subprogram declaration without a body is no construct.
void Exact_Drop();

// "corvane_x.hit (L); " for a new counting point on line; kind names the
// statement in the map. Outside processes and subprograms nothing is counted.
Text Exact_Count_Text(const char* kind, int line);
// The length of the count that statement begins with ("corvane_x_hit (L);
// " as Exact_Count_Text makes it), 0 when it begins with none.
size_t Exact_Count_Length(const Text& statement);
// The count of the closed construct's body: its calls or its starts.
Text Exact_Body_Start(Text begin_word);

// Branches: every arm of an if (then, each elsif, else written or not) and
// of a case counts when it is taken, with the line of its if or case. The
// arm's body with its count in front; an elsif's or else's at its own end:
Text Exact_If_Arm(const char* arm, Text body);
// At the end of the if: the then arm's body gets its count, and an if
// without else gets one ("else" and its count) to put before "end if".
Text Exact_End_Of_If(Text& then_body, bool has_else);
Text Exact_Case_Arm(Text body);
void Exact_End_Of_Case();
// An if-generate took one of the scanner's if keywords: it has no arms.
void Exact_End_Of_If_Generate();
// The condition of an exit, next or while, counted when it is true (arm yes)
// and when it is false (arm no).
Text Exact_Two_Way(const char* kind, const char* yes, const char* no, Text condition, int line);

// Concurrent statements. A signal assignment: the condition of its k-th
// "when" (first: k = 1), or the whole waveform of an unconditional one.
Text Exact_Condition(Text condition, int line, bool first, bool guarded);
Text Exact_Unconditional(Text waveform, int line, bool guarded);
void Exact_Final_Else(int line);
// A concurrent assertion's condition.
Text Exact_Assertion_Condition(Text condition, int line);
// The end of the concurrent statement; a label renames it.
void Exact_Close_Concurrent(const char* kind, const char* default_name);
void Exact_Label_Concurrent(const Text& label);

bool Exact_Write_Map(const std::string& path);
