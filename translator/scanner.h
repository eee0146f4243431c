// The lexical analyser: turns the design on standard input into tokens.
#pragma once

#include <cstdio>
#include <vector>

#include "text.h"

extern FILE* yyin;
// The lexeme of the last token, folded to lower case; "" at end of input.
extern char* yytext;
extern int yyleng;
// The last character or string literal as it was written in the source.
extern char* yysource;

// The line being scanned (1-based) and the column just past the last lexeme.
extern int current_line_number;
extern int column;

// When set, a character that begins no token (outside comments and literals;
// a carriage return, form feed or vertical tab excepted) is a token that no
// rule accepts, so the parse ends with a syntax error at it instead of
// skipping it.
extern bool reject_unknown_characters;

// When set, the lines of the if and case keywords scanned whose statements
// have not ended yet, innermost last (a closing "end if" or "end case" adds
// its own until the statement's end takes both off): the line of the
// statement whose arm the parser is reducing.
extern bool record_keyword_lines;
extern std::vector<int> if_keyword_lines, case_keyword_lines;

// The text value of the token just returned; the 93 and 2008 parsers read it
// through yy93lex and yy08lex, which hand it over as that parser's own.
extern Text yylval;
int yylex();
int yy93lex();
int yy08lex();
// Starts scanning a new input from its first line (the driver scans one input;
// test programs scan many).
void Scanner_Restart(FILE* input);
// Advances column over yytext: a tab moves to the next multiple of 8.
void count();
// Consumes and counts the line end that closes a comment.
void comment();
int yywrap();
