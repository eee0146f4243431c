// The run driver of the translator.
#pragma once

#include "text.h"

// Writes "USE STD.TEXTIO.ALL;" and the whole design to standard output.
void Print_Design(const Text& design);

int yyparse();
void yyerror(const char* message);
