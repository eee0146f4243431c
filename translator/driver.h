// The run driver of the translator.
#pragma once

#include "text.h"

// Writes the whole design to standard output behind its first clause
// ("USE STD.TEXTIO.ALL;", or in exact mode the package of the counts).
void Print_Design(Text& design);

// The parsers of the three grammars: vhdl.y (VHDL-87), the one generated
// from it with vhdl93.edits (VHDL-93) and the one generated with vhdl93.edits
// and vhdl08.edits (VHDL-2008). All read the one scanner.
int yyparse();
int yy93parse();
int yy08parse();
void yyerror(const char* message);
