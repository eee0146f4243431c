// The token codes the scanner returns. They are the 2008 grammar's: the 93
// edits declare their new tokens after all of vhdl.y's and the 2008 edits
// theirs after all of 93's, so every token of the 87 and 93 grammars keeps
// its code there, and one scanner serves the three parsers.
#pragma once

#include "vhdl08.tab.h"

// A character that begins no token: a token that no production accepts.
constexpr int UNDEFINED_TOKEN = YY08UNDEF;
