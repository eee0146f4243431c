// The run driver of the translator.
#pragma once

#include "text.h"

// Writes the whole design to standard output behind its first clause
// ("USE STD.TEXTIO.ALL;", or in exact mode the package of the counts).
void Print_Design(Text& design);

// The parsers of the two grammars: vhdl.y (VHDL-87) and the one generated
// from it with vhdl93.edits (VHDL-93). Both read the one scanner.
int yyparse();
int yy93parse();
void yyerror(const char* message);
