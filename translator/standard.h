// The language standard of the design: --std=87 (the default), --std=93 or
// --std=08. It picks the parser (vhdl.y, the grammar generated from it with
// vhdl93.edits, or the one generated with vhdl93.edits and vhdl08.edits), the
// reserved words and characters of the scanner, and the VHDL the
// instrumentation is written in.
#pragma once

enum class Standard { VHDL87, VHDL93, VHDL08 };
extern Standard standard;

// Takes the text of a --std option after "--std" ("=87", "=93", "=08"); false,
// with the standard unchanged, for anything else.
bool Set_Standard(const char* rest);
