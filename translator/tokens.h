// The token codes the scanner returns. They are the 93 grammar's: its edits
// declare its new tokens after all of vhdl.y's, so every token of the 87
// grammar keeps its code there, and one scanner serves both parsers.
#pragma once

#include "vhdl93.tab.h"

// A character that begins no token: a token that no production accepts.
constexpr int UNDEFINED_TOKEN = YY93UNDEF;
