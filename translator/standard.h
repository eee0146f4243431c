// The language standard of the design: --std=87 (the default) or --std=93.
// It picks the parser (vhdl.y, or the grammar generated from it with
// vhdl93.edits), the reserved words and characters of the scanner, and the
// VHDL the instrumentation is written in.
#pragma once

enum class Standard { VHDL87, VHDL93 };
extern Standard standard;

// Takes the text of a --std option after "--std" ("=87", "=93"); false,
// with the standard unchanged, for anything else.
bool Set_Standard(const char* rest);
