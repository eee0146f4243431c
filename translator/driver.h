// The run driver of the translator.
#pragma once

#include "text.h"

// Writes the whole design to standard output behind its first clause
// ("USE STD.TEXTIO.ALL;", or in exact mode the package of the counts).
void Print_Design(Text& design);

int yyparse();
void yyerror(const char* message);
