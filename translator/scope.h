// Indentation: one tab per nesting level of the regenerated text.
#pragma once

#include "text.h"

extern int scope;
// The indentation prefix for the current level; empty at level 0 or below.
extern Text_Ref scope_text;

void Inc_Scope();
void Dec_Scope();
// The prefix for a depth; a negative depth is reported and gives the empty prefix.
Text_Ref Make_Scope_String(int depth);
