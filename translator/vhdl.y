/* The VHDL-87 grammar of the translator, with the action of every production.
 *
 * Each production carries its number; the actions build the regenerated,
 * instrumented text of the left-hand side from the texts of the right-hand
 * side with one template (Format), in source order. A production without an
 * action passes the text of its single symbol on.
 *
 * Reduction timing matters: a production that ends in ';' is reduced as soon
 * as the ';' is shifted, before the next token is read, so a line-trace
 * statement carries the line of its statement's ';', and a keyword after the
 * statement has not yet changed the indentation level.
 */

%code requires {
#include "text.h"
#define YYSTYPE Text
#define YYSTYPE_IS_DECLARED 1
#define YYSTYPE_IS_TRIVIAL 1
}

%{
#include "driver.h"
#include "instrument.h"
#include "scanner.h"
#include "scope.h"
#include "stack.h"

// The parser's own messages, in the wording of this system.
static const char* Parser_Message(const char* message) {
    if (__builtin_strcmp(message, "syntax error") == 0) return "parse error";
    if (__builtin_strcmp(message, "memory exhausted") == 0) return "parser stack overflow";
    return message;
}
#define YY_(message) Parser_Message(message)

// t, to be written right after a word on the same line: one blank in front
// of it when it begins with a letter or digit, which would read as part of
// that word ("isuse", "beginl1:"). Text on a line of its own begins with its
// line feeds and is passed on as it is.
static Text Apart_From_Word(Text t) {
    int c = First_Byte(t);
    bool word = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    return word ? Format(" %s", t) : t;
}
#define YYINITDEPTH 200
#define YYMAXDEPTH 10000
// The line of a construct's head for the statement map: the line of the last
// token reduced, the lookahead's line feeds taken off if one was read.
#define HEAD_LINE (current_line_number - (yychar == YYEMPTY ? 0 : static_cast<int>(Leading_Linefeeds(yylval))))
%}

/* No conflict is tolerated: with %expect 0 a shift/reduce conflict fails the
   build, and so does any reduce/reduce conflict (%expect-rr is for GLR
   parsers only and is rejected by this generator for an LALR(1) parser). */
%expect 0

%token ACCESS AFTER ALIAS ALL AND ARCHITECTURE ARRAY ASSERT
%token ATTRIBUTE t_BEGIN BLOCK BODY BUFFER BUS CASE COMPONENT
%token CONFIGURATION CONSTANT DISCONNECT DOWNTO ELSE ELSIF END ENTITY
%token EXIT t_FILE FOR FUNCTION GENERATE GENERIC GUARDED IF
%token IN INOUT IS LABEL LIBRARY LINKAGE LOOP MAP
%token NAND NEW NEXT NOR t_NULL OF ON OPEN
%token OR OTHERS OUT PACKAGE PORT PROCEDURE PROCESS RANGE
%token RECORD REGISTER REPORT RETURN SELECT SEVERITY SIGNAL SUBTYPE
%token THEN TO TRANSPORT TYPE UNITS UNTIL USE VARIABLE
%token WAIT WHEN WHILE WITH XOR EQSym NESym LTSym
%token LESym GTSym GESym Plus Minus Ampersand MED_PRECEDENCE Star
%token Slash MOD REM DoubleStar ABS NOT MAX_PRECEDENCE Apostrophe
%token VarAsgn Arrow Bar Box Identifier AbstractLit CharacterLit StringLit
%token BitStringLit

%nonassoc EQSym NESym LTSym LESym GTSym GESym
%left Plus Minus Ampersand
%left Star Slash MOD REM

%destructor { Release($$); } <>

%start start

%%

start
        : design_file  /* 1 */
                { Print_Design($1); $$ = $1; }
        ;
design_file
        : design_unit  /* 2 */
        | design_file design_unit  /* 3 */
                { $$ = Join_Design_Unit($1, $2); }
        ;
designator
        : Identifier  /* 4 */
                { Push_Stack($1); $$ = $1; Set_Flags($$, NAME_PUSHED); }
        | StringLit  /* 5 */
        ;
literal
        : AbstractLit  /* 6 */
        | CharacterLit  /* 7 */
        | BitStringLit  /* 8 */
        | physical_literal_no_default  /* 9 */
        | t_NULL  /* 10 */
        ;
enumeration_literal
        : CharacterLit  /* 11 */
        | Identifier  /* 12 */
        ;
physical_literal
        : AbstractLit Identifier  /* 13 */
                { $$ = Format("%s %s", $1, $2); }
        | Identifier  /* 14 */
        ;
physical_literal_no_default
        : AbstractLit Identifier  /* 15 */
                { $$ = Format("%s %s", $1, $2); }
        ;
idf_list
        : Identifier  /* 16 */
        | idf_list ',' Identifier  /* 17 */
                { $$ = Format("%s,%s", $1, $3); Release($2); }
        ;
design_unit
        : contexlist lib_unit  /* 18 */
                { unsigned primary = Flags_Of($2) & (PRIMARY_UNIT | CONTEXT_UNIT); $$ = Format("%s%s", $1, $2); Set_Flags($$, primary); }
        ;
contexlist
        : %empty  /* 19 */
                { $$ = Empty_Text(); }
        | contexlist contexitem  /* 20 */
                { $$ = Format("%s%s", $1, $2); }
        ;
lib_unit
        : entity_decl  /* 21 */
                { $$ = $1; Set_Flags($$, PRIMARY_UNIT); }
        | config_decl  /* 22 */
                { $$ = $1; Set_Flags($$, PRIMARY_UNIT); }
        | package_decl  /* 23 */
                { $$ = $1; Set_Flags($$, PRIMARY_UNIT); }
        | arch_body  /* 24 */
        | package_body  /* 25 */
        ;
contexitem
        : lib_clause  /* 26 */
        | use_clause  /* 27 */
        ;
library_list
        : Identifier  /* 28 */
        | library_list ',' Identifier  /* 29 */
                { $$ = Format("%s,%s", $1, $3); Release($2); }
        ;
lib_clause
        : LIBRARY library_list ';'  /* 30 */
                { $$ = Format("%s %s;", $1, $2); Release($3); }
        ;
use_clause
        : USE sel_list ';'  /* 31 */
                { $$ = Format("%s %s;", $1, $2); Release($3); }
        ;
sel_list
        : sel_name  /* 32 */
        | sel_list ',' sel_name  /* 33 */
                { $$ = Format("%s,%s", $1, $3); Release($2); }
        ;
entity_decl
        : entity_start entity_decl_1 entity_decl_2 entity_decl_3 entity_decl_4 END entity_decl_5 ';'  /* 34 */
                { Dec_Scope(); $$ = Format("%s%s%s%s%s %s%s;", $1, $2, $3, $4, $5, $6, $7); Release($8); }
        ;
entity_start
        : ENTITY Identifier IS  /* 35 */
                { Inc_Scope(); $$ = Format("%s %s %s", $1, $2, $3); }
        ;
entity_decl_5
        : %empty  /* 36 */
                { $$ = Empty_Text(); }
        | Identifier  /* 37 */
                { $$ = Format(" %s", $1); }
        ;
entity_decl_4
        : %empty  /* 38 */
                { $$ = Empty_Text(); }
        | t_BEGIN concurrenstats  /* 39 */
                { $$ = Format(" %s%s%s", $1, scope_text, $2); }
        ;
entity_decl_3
        : %empty  /* 40 */
                { $$ = Empty_Text(); }
        | entity_decl_3 entity_decltve_item  /* 41 */
                { $$ = Format("%s%s", $1, $2); }
        ;
entity_decl_2
        : %empty  /* 42 */
                { $$ = Empty_Text(); }
        | PORT interf_list ';'  /* 43 */
                { $$ = Format("%s%s %s;", scope_text, $1, $2); Release($3); }
        ;
entity_decl_1
        : %empty  /* 44 */
                { $$ = Empty_Text(); }
        | GENERIC interf_list ';'  /* 45 */
                { $$ = Format("%s%s %s;", scope_text, $1, $2); Release($3); }
        ;
arch_body
        : arch_start arch_body_1 t_BEGIN concurrenstats END arch_body_2 ';'  /* 46 */
                { Dec_Scope(); $$ = Format("%s%s %s%s %s%s;", $1, $2, $3, Apart_From_Word($4), $5, $6); Release($7); }
        ;
arch_start
        : ARCHITECTURE Identifier OF Identifier IS  /* 47 */
                { Inc_Scope(); $$ = Format("%s %s %s %s %s", $1, $2, $3, $4, $5); }
        ;
arch_body_2
        : %empty  /* 48 */
                { $$ = Empty_Text(); }
        | Identifier  /* 49 */
                { $$ = Format(" %s", $1); }
        ;
arch_body_1
        : %empty  /* 50 */
                { $$ = Empty_Text(); }
        | arch_body_1 block_decltve_item  /* 51 */
                { $$ = Format("%s%s", $1, $2); }
        ;
config_decl
        : config_start config_decl_1 block_config END config_decl_2 ';'  /* 52 */
                { Dec_Scope(); $$ = Format("%s%s %s %s%s;", $1, $2, $3, $4, $5); Release($6); }
        ;
config_start
        : CONFIGURATION Identifier OF Identifier IS  /* 53 */
                { Inc_Scope(); $$ = Format("%s %s %s %s %s", $1, $2, $3, $4, $5); }
        ;
config_decl_2
        : %empty  /* 54 */
                { $$ = Empty_Text(); }
        | Identifier  /* 55 */
                { $$ = Format(" %s", $1); }
        ;
config_decl_1
        : %empty  /* 56 */
                { $$ = Empty_Text(); }
        | config_decl_1 config_decltve_item  /* 57 */
                { $$ = Format("%s%s", $1, $2); }
        ;
package_decl
        : package_start package_decl_1 END package_decl_2 ';'  /* 58 */
                { Dec_Scope(); $$ = Format("%s%s %s%s;", $1, $2, $3, $4); Release($5); }
        ;
package_start
        : PACKAGE Identifier IS  /* 59 */
                { Inc_Scope(); $$ = Format("%s %s %s", $1, $2, $3); }
        ;
package_decl_2
        : %empty  /* 60 */
                { $$ = Empty_Text(); }
        | Identifier  /* 61 */
                { $$ = Format(" %s", $1); }
        ;
package_decl_1
        : %empty  /* 62 */
                { $$ = Empty_Text(); }
        | package_decl_1 package_decltve_item  /* 63 */
                { $$ = Format("%s%s", $1, $2); }
        ;
package_body
        : pack_body_start package_body_1 END package_body_2 ';'  /* 64 */
                { Dec_Scope(); $$ = Format("%s%s %s%s;", $1, $2, $3, $4); Release($5); }
        ;
pack_body_start
        : PACKAGE BODY Identifier IS  /* 65 */
                { Inc_Scope(); $$ = Format("%s %s %s %s", $1, $2, $3, $4); }
        ;
package_body_2
        : %empty  /* 66 */
                { $$ = Empty_Text(); }
        | Identifier  /* 67 */
                { $$ = Format(" %s", $1); }
        ;
package_body_1
        : %empty  /* 68 */
                { $$ = Empty_Text(); }
        | package_body_1 package_body_decltve_item  /* 69 */
                { $$ = Format("%s%s", $1, $2); }
        ;
common_decltve_item
        : type_decl  /* 70 */
        | subtype_decl  /* 71 */
        | constandecl  /* 72 */
        | file_decl  /* 73 */
        | alias_decl  /* 74 */
        | subprog_decl  /* 75 */
        | use_clause  /* 76 */
                /* A use clause goes on in the line of the preceding "is". */
                { $$ = Apart_From_Word($1); }
        ;
entity_decltve_item
        : common_decltve_item  /* 77 */
        | subprog_body  /* 78 */
        | attribute_decl  /* 79 */
        | attribute_spec  /* 80 */
        | disconnection_spec  /* 81 */
        | signal_decl  /* 82 */
        ;
block_decltve_item
        : common_decltve_item  /* 83 */
        | subprog_body  /* 84 */
        | comp_decl  /* 85 */
        | attribute_decl  /* 86 */
        | attribute_spec  /* 87 */
        | config_spec  /* 88 */
        | disconnection_spec  /* 89 */
        | signal_decl  /* 90 */
        ;
package_decltve_item
        : common_decltve_item  /* 91 */
        | comp_decl  /* 92 */
        | attribute_decl  /* 93 */
        | attribute_spec  /* 94 */
        | disconnection_spec  /* 95 */
        | signal_decl  /* 96 */
        ;
package_body_decltve_item
        : common_decltve_item  /* 97 */
        | subprog_body  /* 98 */
        ;
subprog_decltve_item
        : common_decltve_item  /* 99 */
        | subprog_body  /* 100 */
        | attribute_decl  /* 101 */
        | attribute_spec  /* 102 */
        | variable_decl  /* 103 */
        ;
procs_decltve_item
        : common_decltve_item  /* 104 */
        | subprog_body  /* 105 */
        | attribute_decl  /* 106 */
        | attribute_spec  /* 107 */
        | variable_decl  /* 108 */
        ;
config_decltve_item
        : attribute_spec  /* 109 */
        | use_clause  /* 110 */
                /* A use clause goes on in the line of the preceding "is". */
                { $$ = Apart_From_Word($1); }
        ;
subprog_decl
        : subprog_spec ';'  /* 111 */
                { End_Of_Declaration(Flags_Of($1)); Dec_Scope(); $$ = Format("%s%s;", scope_text, $1); Release($2); }
        ;
subprog_spec
        : PROCEDURE Identifier subprog_spec_1  /* 112 */
                { Inc_Scope(); Push_Stack($2); Enter_Sequential_Code(PROCEDURE_CONSTRUCT, HEAD_LINE, $2); $$ = Format("%s %s%s", $1, $2, $3); Set_Flags($$, NAME_PUSHED); }
        | FUNCTION designator subprog_spec_2 RETURN mark  /* 113 */
                { Inc_Scope(); Enter_Sequential_Code(FUNCTION_CONSTRUCT, HEAD_LINE, $2); unsigned pushed = Flags_Of($2) & NAME_PUSHED; $$ = Format("%s %s%s%s%s %s", $1, $2, $3, scope_text, $4, $5); Set_Flags($$, pushed); }
        ;
subprog_spec_2
        : %empty  /* 114 */
                { $$ = Empty_Text(); }
        | interf_list  /* 115 */
                { $$ = Format(" %s", $1); }
        ;
subprog_spec_1
        : %empty  /* 116 */
                { $$ = Empty_Text(); }
        | interf_list  /* 117 */
                { $$ = Format(" %s", $1); }
        ;
subprog_body
        : subprog_spec IS subprog_body_1 t_BEGIN seq_stats END subprog_body_2 ';'  /* 118 */
                { Dec_Scope(); function_name = Return_Filename(); End_Of_Construct(Flags_Of($1));
                  Text temp5, temp1 = Trace_File_Declaration(), temp2 = Body_Start($4, temp5, true);
                  if (Accumulates_Calls()) {
                      /* -a: the file is declared in front of the body, in the enclosing region, on the body's first line;
                         the indentation stays where it is without -a, so the layout differs by the declaration only. */
                      Text temp0 = Enclosing_Trace_File_Declaration(), temp3 = Return_Linefeeds($1), temp4 = Strip_Linefeeds_And_Return($1);
                      $$ = Format("%s%s%s%s%s%s%s%s%s%s%s%s%s%s%s;", scope_text, temp3, temp0, temp4, scope_text, $2, $3, temp1, scope_text, temp2, $5, temp5, scope_text, $6, $7);
                      Release($1);
                  } else
                      $$ = Format("%s%s%s%s%s%s%s%s%s%s%s%s%s;", scope_text, $1, scope_text, $2, $3, temp1, scope_text, temp2, $5, temp5, scope_text, $6, $7);
                  Release($8); }
        ;
subprog_body_2
        : %empty  /* 119 */
                { $$ = Empty_Text(); }
        | designator  /* 120 */
                { if (Flags_Of($1) & NAME_PUSHED) Pop_Stack(); $$ = Format(" %s", $1); }
        ;
subprog_body_1
        : %empty  /* 121 */
                { $$ = Empty_Text(); }
        | subprog_body_1 subprog_decltve_item  /* 122 */
                { $$ = Format("%s%s", $1, $2); }
        ;
interf_list
        : '(' interf_lis1 ')'  /* 123 */
                { $$ = Format("%s%s%s", $1, $2, $3); }
        ;
interf_lis1
        : interf_element  /* 124 */
        | interf_lis1 ';' interf_element  /* 125 */
                { $$ = Format("%s;%s%s", $1, scope_text, $3); Release($2); }
        ;
interf_element
        : interf_elemen1 idf_list ':' interf_elemen2 subtype_indic interf_elemen3 interf_elemen4  /* 126 */
                { $$ = Format("%s%s:%s%s%s%s", $1, $2, $4, $5, $6, $7); Release($3); }
        ;
interf_elemen4
        : %empty  /* 127 */
                { $$ = Empty_Text(); }
        | VarAsgn expr  /* 128 */
                { $$ = Format(" %s %s", $1, $2); }
        ;
interf_elemen3
        : %empty  /* 129 */
                { $$ = Empty_Text(); }
        | BUS  /* 130: the signal kind of a port, port (d : inout word bus) */
                { $$ = Format(" %s", $1); }
        ;
interf_elemen2
        : %empty  /* 131 */
                { $$ = Empty_Text(); }
        | mode  /* 132 */
                { $$ = Format("%s ", $1); }
        ;
interf_elemen1
        : %empty  /* 133 */
                { $$ = Empty_Text(); }
        | objecclass  /* 134 */
                { $$ = Format("%s ", $1); }
        ;
mode
        : IN  /* 135 */
        | OUT  /* 136 */
        | INOUT  /* 137 */
        | BUFFER  /* 138 */
        | LINKAGE  /* 139 */
        ;
association_list
        : '(' association_lis1 ')'  /* 140 */
                { $$ = Format("%s%s%s", $1, $2, $3); }
        ;
association_lis1
        : association_element  /* 141 */
        | association_lis1 ',' association_element  /* 142 */
                { $$ = Format("%s, %s", $1, $3); Release($2); }
        ;
gen_association_list
        : '(' gen_association_lis1 ')'  /* 143 */
                { $$ = Format("%s%s%s", $1, $2, $3); }
        ;
gen_association_lis1
        : gen_association_element  /* 144 */
        | gen_association_lis1 ',' gen_association_element  /* 145 */
                { $$ = Format("%s, %s", $1, $3); Release($2); }
        ;
association_element
        : formal_part Arrow actual_part  /* 146 */
                { Dec_Scope(); $$ = Format("%s %s %s", $1, $2, $3); }
        | actual_part  /* 147 */
        ;
gen_association_element
        : expr  /* 148 */
        | discrete_range1  /* 149 */
        ;
formal_part
        : name  /* 150 */
        ;
actual_part
        : expr  /* 151 */
        | OPEN  /* 152 */
        ;
mark
        : Identifier  /* 153 */
        | sel_name  /* 154 */
        ;
expr
        : and_relation  /* 155 */
        | or_relation  /* 156 */
        | xor_relation  /* 157 */
        | relation  /* 158 */
        | relation NAND relation  /* 159 */
                { $$ = Format("%s %s %s", $1, $2, $3); }
        | relation NOR relation  /* 160 */
                { $$ = Format("%s %s %s", $1, $2, $3); }
        ;
and_relation
        : relation AND relation  /* 161 */
                { $$ = Format("%s %s %s", $1, $2, $3); }
        | and_relation AND relation  /* 162 */
                { $$ = Format("%s %s %s", $1, $2, $3); }
        ;
or_relation
        : relation OR relation  /* 163 */
                { $$ = Format("%s %s %s", $1, $2, $3); }
        | or_relation OR relation  /* 164 */
                { $$ = Format("%s %s %s", $1, $2, $3); }
        ;
xor_relation
        : relation XOR relation  /* 165 */
                { $$ = Format("%s %s %s", $1, $2, $3); }
        | xor_relation XOR relation  /* 166 */
                { $$ = Format("%s %s %s", $1, $2, $3); }
        ;
relation
        : primary  /* 167 */
        | Plus primary  /* 168 */
                { $$ = Format("%s %s", $1, $2); }
        | Minus primary  /* 169 */
                { $$ = Format("%s %s", $1, $2); }
        | ABS primary  /* 170 */
                { $$ = Format("%s %s", $1, $2); }
        | NOT primary  /* 171 */
                { $$ = Format("%s %s", $1, $2); }
        | primary DoubleStar primary  /* 172 */
                { $$ = Format("%s %s %s", $1, $2, $3); }
        | relation MOD relation  /* 173 */
                { $$ = Format("%s %s %s", $1, $2, $3); }
        | relation REM relation  /* 174 */
                { $$ = Format("%s %s %s", $1, $2, $3); }
        | relation Ampersand relation  /* 175 */
                { $$ = Format("%s %s %s", $1, $2, $3); }
        | relation Star relation  /* 176 */
                { $$ = Format("%s %s %s", $1, $2, $3); }
        | relation Plus relation  /* 177 */
                { $$ = Format("%s %s %s", $1, $2, $3); }
        | relation Minus relation  /* 178 */
                { $$ = Format("%s %s %s", $1, $2, $3); }
        | relation LESym relation  /* 179 */
                { $$ = Format("%s %s %s", $1, $2, $3); }
        | relation GESym relation  /* 180 */
                { $$ = Format("%s %s %s", $1, $2, $3); }
        | relation LTSym relation  /* 181 */
                { $$ = Format("%s %s %s", $1, $2, $3); }
        | relation GTSym relation  /* 182 */
                { $$ = Format("%s %s %s", $1, $2, $3); }
        | relation EQSym relation  /* 183 */
                { $$ = Format("%s %s %s", $1, $2, $3); }
        | relation NESym relation  /* 184 */
                { $$ = Format("%s %s %s", $1, $2, $3); }
        | relation Slash relation  /* 185 */
                { $$ = Format("%s %s %s", $1, $2, $3); }
        ;
primary
        : name  /* 186 */
        | literal  /* 187 */
        | aggregate  /* 188 */
        | qualified_expr  /* 189 */
        | allocator  /* 190 */
        | '(' expr ')'  /* 191 */
                { $$ = Format("%s%s%s", $1, $2, $3); }
        ;
name
        : mark  /* 192 */
        | name2  /* 193 */
        ;
name2
        : StringLit  /* 194 */
        | attribute_name  /* 195 */
        | ifts_name  /* 196 */
        ;
sel_name
        : name '.' suffix  /* 197 */
                { $$ = Format("%s.%s", $1, $3); Release($2); }
        ;
suffix
        : designator  /* 198 */
                { if (Flags_Of($1) & NAME_PUSHED) Pop_Stack(); $$ = $1; Set_Flags($$, 0); }
        | CharacterLit  /* 199 */
        | ALL  /* 200 */
        ;
ifts_name
        : mark gen_association_list  /* 201 */
                { $$ = Format("%s %s", $1, $2); }
        | name2 gen_association_list  /* 202 */
                { $$ = Format("%s %s", $1, $2); }
        ;
attribute_name
        : mark Apostrophe Identifier  /* 203 */
                { $$ = Format("%s %s %s", $1, $2, $3); }
        | name2 Apostrophe Identifier  /* 204 */
                { $$ = Format("%s %s %s", $1, $2, $3); }
        | mark Apostrophe RANGE  /* 205 */
                { $$ = Format("%s %s %s", $1, $2, $3); }
        | name2 Apostrophe RANGE  /* 206 */
                { $$ = Format("%s %s %s", $1, $2, $3); }
        ;
aggregate
        : elemenassociation_list2 ')'  /* 207 */
                { $$ = Format("%s%s", $1, $2); }
        | '(' choices Arrow expr ')'  /* 208 */
                { Dec_Scope(); $$ = Format("%s%s %s %s%s", $1, $2, $3, $4, $5); }
        ;
elemenassociation_list2
        : '(' elemenassociation ',' elemenassociation  /* 209 */
                { $$ = Format("%s%s,%s", $1, $2, $4); Release($3); }
        | elemenassociation_list2 ',' elemenassociation  /* 210 */
                { $$ = Format("%s,%s", $1, $3); Release($2); }
        ;
qualified_expr
        : mark Apostrophe '(' expr ')'  /* 211 */
                { $$ = Format("%s %s%s%s%s", $1, $2, $3, $4, $5); }
        | mark Apostrophe aggregate  /* 212 */
                { $$ = Format("%s %s %s", $1, $2, $3); }
        ;
allocator
        : NEW mark mark allocator_1  /* 213 */
                { $$ = Format("%s %s %s%s", $1, $2, $3, $4); }
        | NEW mark allocator_2  /* 214 */
                { $$ = Format("%s %s%s", $1, $2, $3); }
        | NEW qualified_expr  /* 215 */
                { $$ = Format("%s %s", $1, $2); }
        ;
allocator_2
        : %empty  /* 216 */
                { $$ = Empty_Text(); }
        | gen_association_list  /* 217 */
                { $$ = Format(" %s", $1); }
        ;
allocator_1
        : %empty  /* 218 */
                { $$ = Empty_Text(); }
        | gen_association_list  /* 219 */
                { $$ = Format(" %s", $1); }
        ;
elemenassociation
        : choices Arrow expr  /* 220 */
                { Dec_Scope(); $$ = Format("%s %s %s", $1, $2, $3); }
        | expr  /* 221 */
        ;
choices
        : choice  /* 222 */
        | choices Bar choice  /* 223 */
                { $$ = Format("%s %s %s", $1, $2, $3); }
        ;
choice
        : expr  /* 224 */
        | discrete_range1  /* 225 */
        | OTHERS  /* 226 */
        ;
type_decl
        : TYPE Identifier ';'  /* 227 */
                { $$ = Format("%s%s %s;", scope_text, $1, $2); Release($3); }
        | TYPE Identifier IS type_definition ';'  /* 228 */
                { $$ = Format("%s%s %s %s %s;", scope_text, $1, $2, $3, $4); Release($5); }
        ;
type_definition
        : enumeration_type_definition  /* 229 */
        | range_constraint  /* 230 */
        | physical_type_definition  /* 231 */
        | unconstrained_array_definition  /* 232 */
        | constrained_array_definition  /* 233 */
        | record_type_definition  /* 234 */
        | access_type_definition  /* 235 */
        | file_type_definition  /* 236 */
        ;
enumeration_type_definition
        : '(' enumeration_type_definition_1 ')'  /* 237 */
                { $$ = Format("%s%s%s", $1, $2, $3); }
        ;
enumeration_type_definition_1
        : enumeration_literal  /* 238 */
        | enumeration_type_definition_1 ',' enumeration_literal  /* 239 */
                { $$ = Format("%s,%s", $1, $3); Release($2); }
        ;
physical_type_definition
        : range_constraint UNITS base_unidecl physical_type_definition_1 END UNITS  /* 240 */
                { $$ = Format("%s %s %s%s %s %s", $1, $2, $3, $4, $5, $6); }
        ;
physical_type_definition_1
        : %empty  /* 241 */
                { $$ = Empty_Text(); }
        | physical_type_definition_1 secondary_unidecl  /* 242 */
                { $$ = Format("%s %s", $1, $2); }
        ;
base_unidecl
        : Identifier ';'  /* 243 */
                { $$ = Format("%s;", $1); Release($2); }
        ;
secondary_unidecl
        : Identifier EQSym physical_literal ';'  /* 244 */
                { $$ = Format("%s %s %s;", $1, $2, $3); Release($4); }
        ;
unconstrained_array_definition
        : ARRAY '(' unconstrained_array_definition_1 ')' OF subtype_indic  /* 245 */
                { $$ = Format("%s %s%s%s %s %s", $1, $2, $3, $4, $5, $6); }
        ;
unconstrained_array_definition_1
        : index_subtype_definition  /* 246 */
        | unconstrained_array_definition_1 ',' index_subtype_definition  /* 247 */
                { $$ = Format("%s,%s", $1, $3); Release($2); }
        ;
index_subtype_definition
        : mark RANGE Box  /* 248 */
                { $$ = Format("%s %s %s", $1, $2, $3); }
        ;
constrained_array_definition
        : ARRAY index_constraint OF subtype_indic  /* 249 */
                { $$ = Format("%s %s %s %s", $1, $2, $3, $4); }
        ;
record_type_definition
        : RECORD record_type_definition_1 END RECORD  /* 250 */
                { $$ = Format("%s %s %s %s", $1, $2, $3, $4); }
        ;
record_type_definition_1
        : elemendecl  /* 251 */
        | record_type_definition_1 elemendecl  /* 252 */
                { $$ = Format("%s %s", $1, $2); }
        ;
elemendecl
        : idf_list ':' subtype_indic ';'  /* 253 */
                { $$ = Format("%s:%s;", $1, $3); Release($2); Release($4); }
        ;
access_type_definition
        : ACCESS subtype_indic  /* 254 */
                { $$ = Format("%s %s", $1, $2); }
        ;
file_type_definition
        : t_FILE OF mark  /* 255 */
                { $$ = Format("%s %s %s", $1, $2, $3); }
        ;
subtype_decl
        : SUBTYPE Identifier IS subtype_indic ';'  /* 256 */
                { $$ = Format("%s%s %s %s %s;", scope_text, $1, $2, $3, $4); Release($5); }
        ;
subtype_indic
        : mark subtype_indic_1  /* 257 */
                { $$ = Format("%s%s", $1, $2); }
        | subtype_indic1  /* 258 */
        ;
subtype_indic_1
        : %empty  /* 259 */
                { $$ = Empty_Text(); }
        | gen_association_list  /* 260 */
                { $$ = Format(" %s", $1); }
        ;
subtype_indic1
        : mark mark range_constraint  /* 261 */
                { $$ = Format("%s %s %s", $1, $2, $3); }
        | mark range_constraint  /* 262 */
                { $$ = Format("%s %s", $1, $2); }
        | mark mark subtype_indic1_1  /* 263 */
                { $$ = Format("%s %s%s", $1, $2, $3); }
        ;
subtype_indic1_1
        : %empty  /* 264 */
                { $$ = Empty_Text(); }
        | gen_association_list  /* 265 */
                { $$ = Format(" %s", $1); }
        ;
range_constraint
        : RANGE range_spec  /* 266 */
                { $$ = Format("%s %s", $1, $2); }
        ;
index_constraint
        : '(' index_constrain1 ')'  /* 267 */
                { $$ = Format("%s%s%s", $1, $2, $3); }
        ;
index_constrain1
        : discrete_range  /* 268 */
        | index_constrain1 ',' discrete_range  /* 269 */
                { $$ = Format("%s,%s", $1, $3); Release($2); }
        ;
discrete_range
        : subtype_indic  /* 270 */
        | range_spec  /* 271 */
        ;
discrete_range1
        : subtype_indic1  /* 272 */
        | expr direction expr  /* 273 */
                { $$ = Format("%s %s %s", $1, $2, $3); }
        ;
range_spec
        : attribute_name  /* 274 */
        | expr direction expr  /* 275 */
                { $$ = Format("%s %s %s", $1, $2, $3); }
        ;
direction
        : TO  /* 276 */
        | DOWNTO  /* 277 */
        ;
constandecl
        : CONSTANT idf_list ':' subtype_indic constandecl_1 ';'  /* 278 */
                { $$ = Format("%s%s %s:%s%s;", scope_text, $1, $2, $4, $5); Release($3); Release($6); }
        ;
constandecl_1
        : %empty  /* 279 */
                { $$ = Empty_Text(); }
        | VarAsgn expr  /* 280 */
                { $$ = Format("%s %s", $1, $2); }
        ;
signal_decl
        : SIGNAL idf_list ':' subtype_indic signal_decl_1 signal_decl_2 ';'  /* 281 */
                { $$ = Format("%s%s %s:%s%s%s;", scope_text, $1, $2, $4, $5, $6); Release($3); Release($7); }
        ;
signal_decl_2
        : %empty  /* 282 */
                { $$ = Empty_Text(); }
        | VarAsgn expr  /* 283 */
                { $$ = Format("%s %s", $1, $2); }
        ;
signal_decl_1
        : %empty  /* 284 */
                { $$ = Empty_Text(); }
        | signal_kind  /* 285 */
                { $$ = Format(" %s", $1); }
        ;
variable_decl
        : VARIABLE idf_list ':' subtype_indic variable_decl_1 ';'  /* 286 */
                { $$ = Format("%s%s %s:%s%s;", scope_text, $1, $2, $4, $5); Release($3); Release($6); }
        ;
variable_decl_1
        : %empty  /* 287 */
                { $$ = Empty_Text(); }
        | VarAsgn expr  /* 288 */
                { $$ = Format("%s %s", $1, $2); }
        ;
objecclass
        : CONSTANT  /* 289 */
        | SIGNAL  /* 290 */
        | VARIABLE  /* 291 */
        ;
signal_kind
        : BUS  /* 292 */
        | REGISTER  /* 293 */
        ;
alias_decl
        : ALIAS Identifier ':' subtype_indic IS name ';'  /* 294 */
                { $$ = Format("%s%s %s:%s %s %s;", scope_text, $1, $2, $4, $5, $6); Release($3); Release($7); }
        ;
file_decl
        : t_FILE Identifier ':' subtype_indic IS file_decl_1 expr ';'  /* 295 */
                { $$ = Format("%s%s %s:%s %s%s %s;", scope_text, $1, $2, $4, $5, $6, $7); Release($3); Release($8); }
        ;
file_decl_1
        : %empty  /* 296 */
                { $$ = Empty_Text(); }
        | mode  /* 297 */
                { $$ = Format(" %s", $1); }
        ;
disconnection_spec
        : DISCONNECT signal_list ':' mark AFTER expr ';'  /* 298 */
                { $$ = Format("%s%s %s:%s %s %s;", scope_text, $1, $2, $4, $5, $6); Release($3); Release($7); }
        ;
signal_list
        : signal_lis1  /* 299 */
        | OTHERS  /* 300 */
        | ALL  /* 301 */
        ;
signal_lis1
        : name  /* 302 */
        | signal_lis1 ',' name  /* 303 */
                { $$ = Format("%s,%s", $1, $3); Release($2); }
        ;
attribute_decl
        : ATTRIBUTE Identifier ':' mark ';'  /* 304 */
                { $$ = Format("%s%s %s:%s;", scope_text, $1, $2, $4); Release($3); Release($5); }
        ;
attribute_spec
        : ATTRIBUTE Identifier OF entity_spec IS expr ';'  /* 305 */
                { $$ = Format("%s%s %s %s %s %s %s;", scope_text, $1, $2, $3, $4, $5, $6); Release($7); }
        ;
entity_spec
        : entity_name_list ':' entity_class  /* 306 */
                { $$ = Format("%s:%s", $1, $3); Release($2); }
        ;
entity_name_list
        : entity_name_lis1  /* 307 */
        | OTHERS  /* 308 */
        | ALL  /* 309 */
        ;
entity_name_lis1
        : designator  /* 310 */
                { if (Flags_Of($1) & NAME_PUSHED) Pop_Stack(); $$ = $1; Set_Flags($$, 0); }
        | entity_name_lis1 ',' designator  /* 311 */
                { if (Flags_Of($3) & NAME_PUSHED) Pop_Stack(); $$ = Format("%s,%s", $1, $3); Release($2); }
        ;
entity_class
        : ENTITY  /* 312 */
        | ARCHITECTURE  /* 313 */
        | PACKAGE  /* 314 */
        | CONFIGURATION  /* 315 */
        | COMPONENT  /* 316 */
                { Dec_Scope(); $$ = $1; }
        | LABEL  /* 317 */
        | TYPE  /* 318 */
        | SUBTYPE  /* 319 */
        | PROCEDURE  /* 320 */
        | FUNCTION  /* 321 */
        | SIGNAL  /* 322 */
        | VARIABLE  /* 323 */
        | CONSTANT  /* 324 */
        ;
generation_scheme
        : if_scheme  /* 325 */
        | for_scheme  /* 326 */
        ;
iteration_scheme
        : for_scheme  /* 327 */
        | while_scheme  /* 328 */
        ;
if_scheme
        : IF expr  /* 329 */
                { End_Of_If_Generate(); $$ = Format("%s %s", $1, $2); }
        ;
for_scheme
        : FOR Identifier IN discrete_range  /* 330 */
                { Inc_Scope(); $$ = Format("%s %s %s %s", $1, $2, $3, $4); }
        ;
while_scheme
        : WHILE expr  /* 331 */
                { Inc_Scope(); $$ = Format("%s %s", $1, Two_Way_Condition("while", $2, Line_Of($1))); }
        ;
concurrenstats
        : %empty  /* 332 */
                { $$ = Empty_Text(); }
        | concurrenstats concurrenstat  /* 333 */
                { $$ = Format("%s%s", $1, $2); }
        ;
concurrenstat
        : block_stat  /* 334 */
        | concurrenassertion_stat  /* 335 */
        | concurrenprocedure_call  /* 336 */
        | concurrensignal_assign_stat  /* 337 */
        | comp_insstat  /* 338 */
        | generate_stat  /* 339 */
        | procs_stat  /* 340 */
        ;
block_stat_start
        : Identifier ':' BLOCK  /* 341 */
                { Push_Stack($1); $$ = Format("%s%s%s", $1, $2, $3); }
        ;
block_stat
        : block_stat_start block_sta1 block_sta2 block_sta3 block_sta4 t_BEGIN concurrenstats END BLOCK block_sta5 ';'  /* 342 */
                { Pop_Stack(); $$ = Format("%s%s%s%s%s%s %s%s %s %s%s%s", scope_text, $1, $2, $3, $4, $5, $6, Apart_From_Word($7), $8, $9, $10, $11); }
        ;
block_sta8
        : %empty  /* 343 */
                { $$ = Empty_Text(); }
        | GENERIC MAP association_list ';'  /* 344 */
                { $$ = Format("%s %s %s;", $1, $2, $3); Release($4); }
        ;
block_sta7
        : %empty  /* 345 */
                { $$ = Empty_Text(); }
        | PORT MAP association_list ';'  /* 346 */
                { $$ = Format("%s %s %s;", $1, $2, $3); Release($4); }
        ;
block_sta5
        : %empty  /* 347 */
                { $$ = Empty_Text(); }
        | Identifier  /* 348 */
                { $$ = Format(" %s", $1); }
        ;
block_sta4
        : %empty  /* 349 */
                { $$ = Empty_Text(); }
        | block_sta4 block_decltve_item  /* 350 */
                { $$ = Format("%s %s", $1, $2); }
        ;
block_sta3
        : %empty  /* 351 */
                { $$ = Empty_Text(); }
        | PORT interf_list ';' block_sta7  /* 352 */
                { $$ = Format("%s %s;%s", $1, $2, $4); Release($3); }
        ;
block_sta2
        : %empty  /* 353 */
                { $$ = Empty_Text(); }
        | GENERIC interf_list ';' block_sta8  /* 354 */
                { $$ = Format(" %s %s;%s", $1, $2, $4); Release($3); }
        ;
block_sta1
        : %empty  /* 355 */
                { $$ = Empty_Text(); }
        | '(' expr ')'  /* 356 */
                { $$ = Format("%s%s%s", $1, $2, $3); }
        ;
comp_insstat
        : Identifier ':' mark GENERIC MAP association_list comp_inssta1 ';'  /* 357 */
                { $$ = Format("%s%s:%s %s %s %s%s;", scope_text, $1, $3, $4, $5, $6, $7); Release($2); Release($8); }
        | Identifier ':' mark PORT MAP association_list ';'  /* 358 */
                { $$ = Format("%s%s:%s %s %s %s;", scope_text, $1, $3, $4, $5, $6); Release($2); Release($7); }
        ;
comp_inssta1
        : %empty  /* 359 */
                { $$ = Empty_Text(); }
        | PORT MAP association_list  /* 360 */
                { $$ = Format(" %s %s %s", $1, $2, $3); }
        ;
concurrenassertion_stat
        : Identifier ':' assertion_stat  /* 361 */
                { Label_Concurrent_Statement($1); $$ = Format("%s:%s", $1, $3); Release($2); }
        | assertion_stat  /* 362 */
        ;
concurrenprocedure_call
        : Identifier ':' procedure_call_stat  /* 363 */
                { $$ = Format("%s:%s", $1, $3); Release($2); }
        | procedure_call_stat  /* 364 */
        ;
concurrensignal_assign_stat
        : Identifier ':' condal_signal_assign  /* 365 */
                { Label_Concurrent_Statement($1); $$ = Format("%s:%s", $1, $3); Release($2); }
        | condal_signal_assign  /* 366 */
        | Identifier ':' sel_signal_assign  /* 367 */
                { $$ = Format("%s:%s", $1, $3); Release($2); }
        | sel_signal_assign  /* 368 */
        ;
condal_signal_assign
        : target LESym opts condal_wavefrms ';'  /* 369 */
                { End_Of_Concurrent_Assignment(); $$ = Format("%s%s %s %s %s;", scope_text, $1, $2, $3, $4); Release($5); }
        ;
condal_wavefrms
        : condal_wavefrms_1 wavefrm  /* 370 */
                /* $0 is the assignment's options, $-2 its target. */
                { $$ = Format("%s%s", $1, Concurrent_Waveform($2, $1.len == 0, Line_Of($-2), $0)); }
        ;
condal_wavefrms_1
        : %empty  /* 371 */
                { $$ = Empty_Text(); }
        | condal_wavefrms_1 wavefrm WHEN expr ELSE  /* 372 */
                { bool first = $1.len == 0; $$ = Format("%s %s %s %s %s ", $1, $2, $3, Concurrent_Condition($4, first, Line_Of($-2), $0), $5); }
        ;
wavefrm
        : wavefrm_element  /* 373 */
        | wavefrm ',' wavefrm_element  /* 374 */
                { $$ = Format("%s,%s", $1, $3); Release($2); }
        ;
wavefrm_element
        : expr  /* 375 */
        | expr AFTER expr  /* 376 */
                { $$ = Format("%s %s %s", $1, $2, $3); }
        ;
target
        : name  /* 377 */
        | aggregate  /* 378 */
        ;
opts
        : %empty  /* 379 */
                { $$ = Empty_Text(); }
        | GUARDED  /* 380 */
        | TRANSPORT  /* 381 */
        | GUARDED TRANSPORT  /* 382 */
                { $$ = Format("%s %s", $1, $2); }
        ;
sel_signal_assign
        : WITH expr SELECT target LESym opts sel_wavefrms ';'  /* 383 */
                { $$ = Format("%s%s %s %s %s %s %s %s;", scope_text, $1, $2, $3, $4, $5, $6, $7); Release($8); }
        ;
sel_wavefrms
        : wavefrm WHEN choices  /* 384 */
                { $$ = Format("%s %s %s", $1, $2, $3); }
        | sel_wavefrms ',' wavefrm WHEN choices  /* 385 */
                { $$ = Format("%s, %s %s %s", $1, $3, $4, $5); Release($2); }
        ;
generate_stat
        : Identifier ':' generation_scheme GENERATE concurrenstats END GENERATE generate_sta1 ';'  /* 386 */
                { Dec_Scope(); $$ = Format("%s%s : %s %s%s %s %s%s;", scope_text, $1, $3, $4, Apart_From_Word($5), $6, $7, $8); Release($2); Release($9); }
        ;
generate_sta1
        : %empty  /* 387 */
                { $$ = Empty_Text(); }
        | Identifier  /* 388 */
                { $$ = Format(" %s", $1); }
        ;
procs_stat1
        : Identifier ':' PROCESS  /* 389 */
                { Push_Stack($1); Enter_Sequential_Code(PROCESS_CONSTRUCT, HEAD_LINE, $1); $$ = Format("%s%s:%s", scope_text, $1, $3); Release($2); Set_Flags($$, NAME_PUSHED); }
        | PROCESS  /* 390 */
                { Enter_Sequential_Code(PROCESS_CONSTRUCT, HEAD_LINE, Empty_Text()); $$ = Format("%s%s", scope_text, $1); }
        ;
procs_stat
        : procs_stat1 procs_stat1_1 procs_stat1_2 t_BEGIN seq_stats END PROCESS procs_stat1_3 ';'  /* 391 */
                { function_name = Return_Filename(); End_Of_Construct(Flags_Of($1)); Dec_Scope();
                  Text temp5, temp1 = Trace_File_Declaration(), temp2 = Body_Start($4, temp5, $2.len > 0);
                  $$ = Format("%s%s%s%s%s%s%s%s%s%s %s%s;", $1, $2, $3, temp1, scope_text, temp2, $5, temp5, scope_text, $6, $7, $8);
                  Release($9); }
        ;
procs_stat1_3
        : %empty  /* 392 */
                { $$ = Empty_Text(); }
        | Identifier  /* 393 */
                { $$ = Format(" %s", $1); }
        ;
procs_stat1_2
        : %empty  /* 394 */
                { $$ = Empty_Text(); }
        | procs_stat1_2 procs_decltve_item  /* 395 */
                { $$ = Format("%s %s", $1, $2); }
        ;
procs_stat1_1
        : %empty  /* 396 */
                { Inc_Scope(); $$ = Empty_Text(); }
        | '(' sensitivity_list ')'  /* 397 */
                { Inc_Scope(); $$ = Format(" %s%s%s", $1, $2, $3); }
        ;
sensitivity_list
        : name  /* 398 */
        | sensitivity_list ',' name  /* 399 */
                { $$ = Format("%s,%s", $1, $3); Release($2); }
        ;
seq_stats
        : %empty  /* 400 */
                { Open_Sequence(); $$ = Empty_Text(); }
        | seq_stats seq_stat  /* 401 */
                { $$ = Format("%s%s", $1, $2); }
        ;
seq_stat
        : assertion_stat  /* 402 */
        | case_stat  /* 403 */
        | existat  /* 404 */
        | if_stat  /* 405 */
        | loop_stat  /* 406 */
        | nexstat  /* 407 */
        | null_stat  /* 408 */
        | procedure_call_stat  /* 409 */
        | return_stat  /* 410 */
        | signal_assign_stat  /* 411 */
        | variable_assign_stat  /* 412 */
        | waistat  /* 413 */
        ;
assertion_stat
        : ASSERT expr assertion_sta1 assertion_sta2 ';'  /* 414 */
                { int first = Line_Of($1); Text temp1 = Line_Trace_Statement("assertion"), temp2 = Assertion_Condition($2, first, $4);
                  $$ = Counted_Statement(first, Format("%s%s %s%s%s;%s", scope_text, $1, temp2, $3, $4, temp1)); Release($5); }
        ;
assertion_sta2
        : %empty  /* 415 */
                { $$ = Empty_Text(); }
        | SEVERITY expr  /* 416 */
                { $$ = Format(" %s %s", $1, $2); }
        ;
assertion_sta1
        : %empty  /* 417 */
                { $$ = Empty_Text(); }
        | REPORT expr  /* 418 */
                { $$ = Format(" %s %s", $1, $2); }
        ;
case_stat
        : CASE expr IS case_sta1 END CASE ';'  /* 419 */
                { End_Of_Case(); Dec_Scope(); Dec_Scope(); $$ = Format("%s%s %s %s\t%s%s%s%s %s;", scope_text, $1, $2, $3, scope_text, $4, scope_text, $5, $6); Release($7); }
        ;
case_sta1
        : case_staalternative  /* 420 */
        | case_sta1 case_staalternative  /* 421 */
                { $$ = Format("%s%s%s", $1, scope_text, $2); }
        ;
case_staalternative
        : WHEN choices Arrow seq_stats  /* 422 */
                { Dec_Scope(); $$ = Format("%s %s %s%s", $1, $2, $3, Case_Arm($4)); }
        ;
existat
        : EXIT exista1 exista2 ';'  /* 423 */
                { Text temp1 = Traced_Opening("exit", $1), temp2 = End_Of_Jump("exit", $2); $$ = Format("%s%s%s;%s", temp1, $2, $3, temp2); Release($4); }
        ;
exista2
        : %empty  /* 424 */
                { $$ = Empty_Text(); }
        | WHEN expr  /* 425 */
                /* $-1 is the word exit. */
                { $$ = Format(" %s %s", $1, Two_Way_Condition("exit", $2, Line_Of($-1))); }
        ;
exista1
        : %empty  /* 426 */
                { $$ = Empty_Text(); }
        | Identifier  /* 427 */
                { $$ = Format(" %s", $1); }
        ;
if_stat
        : IF expr THEN seq_stats if_sta1 if_sta2 END IF ';'  /* 428 */
                { Dec_Scope(); Dec_Scope(); Text temp1 = End_Of_If($4, $6); $$ = Format("%s%s %s %s%s%s%s%s%s%s %s;", scope_text, $1, $2, $3, $4, $5, $6, temp1, scope_text, $7, $8); Release($9); }
        ;
if_sta3
        : ELSIF expr THEN seq_stats  /* 429 */
                { Dec_Scope(); $$ = Format("%s%s %s %s%s", scope_text, $1, $2, $3, If_Arm("elsif", $4)); Inc_Scope(); }
        ;
if_sta2
        : %empty  /* 430 */
                { $$ = Empty_Text(); }
        | ELSE seq_stats  /* 431 */
                { Dec_Scope(); $$ = Format("%s%s%s", scope_text, $1, If_Arm("else", $2)); Inc_Scope(); }
        ;
if_sta1
        : %empty  /* 432 */
                { $$ = Empty_Text(); }
        | if_sta1 if_sta3  /* 433 */
                { $$ = Format("%s%s", $1, $2); }
        ;
loop_stat
        : loop_sta1 loop_sta2 LOOP seq_stats END LOOP loop_sta3 ';'  /* 434 */
                { Dec_Scope(); Text temp1 = End_Of_Loop($4, $1); $$ = Format("%s%s%s %s%s%s%s %s%s;%s", scope_text, $1, $2, $3, $4, scope_text, $5, $6, $7, temp1); Release($8); }
        ;
loop_sta3
        : %empty  /* 435 */
                { $$ = Empty_Text(); }
        | Identifier  /* 436 */
                { $$ = Format(" %s", $1); }
        ;
loop_sta2
        : %empty  /* 437 */
                { Inc_Scope(); Loop_Scheme(true); $$ = Empty_Text(); }
        | iteration_scheme  /* 438 */
                { Loop_Scheme(false); $$ = Format("%s", $1); }
        ;
loop_sta1
        : %empty  /* 439 */
                { $$ = Empty_Text(); }
        | Identifier ':'  /* 440 */
                { $$ = Format("%s:", $1); Release($2); }
        ;
nexstat
        : NEXT nexsta1 nexsta2 ';'  /* 441 */
                { Text temp1 = Traced_Opening("next", $1), temp2 = End_Of_Jump("next", $2); $$ = Format("%s%s%s;%s", temp1, $2, $3, temp2); Release($4); }
        ;
nexsta2
        : %empty  /* 442 */
                { $$ = Empty_Text(); }
        | WHEN expr  /* 443 */
                /* $-1 is the word next. */
                { $$ = Format(" %s %s", $1, Two_Way_Condition("next", $2, Line_Of($-1))); }
        ;
nexsta1
        : %empty  /* 444 */
                { $$ = Empty_Text(); }
        | Identifier  /* 445 */
                { $$ = Format(" %s", $1); }
        ;
null_stat
        : t_NULL ';'  /* 446 */
                { $$ = Format("%s;", Traced_Opening("null", $1)); Release($2); }
        ;
procedure_call_stat
        : name ';'  /* 447 */
                { $$ = Format("%s;", Traced_Opening("procedure_call", $1)); Release($2); }
        ;
return_stat
        : RETURN ';'  /* 448 */
                { $$ = Format("%s;", Traced_Opening("return", $1)); Release($2); }
        | RETURN expr ';'  /* 449 */
                { $$ = Format("%s %s%s", Traced_Opening("return", $1), $2, $3); }
        ;
signal_assign_stat
        : target LESym signal_assign_sta1 wavefrm ';'  /* 450 */
                { int first = Line_Of($1); Text temp1 = Line_Trace_Statement("signal_assign"); $$ = Counted_Statement(first, Format("%s%s %s%s %s;%s", scope_text, $1, $2, $3, $4, temp1)); Release($5); }
        ;
signal_assign_sta1
        : %empty  /* 451 */
                { $$ = Empty_Text(); }
        | TRANSPORT  /* 452 */
                { $$ = Format(" %s", $1); }
        ;
variable_assign_stat
        : target VarAsgn expr ';'  /* 453 */
                { int first = Line_Of($1); Text temp1 = Line_Trace_Statement("variable_assign"); $$ = Counted_Statement(first, Format("%s%s %s %s;%s", scope_text, $1, $2, $3, temp1)); Release($4); }
        ;
waistat
        : WAIT waista1 waista2 waista3 ';'  /* 454 */
                { int first = Line_Of($1); Text temp1 = Line_Trace_Statement("wait"); $$ = Counted_Statement(first, Format("%s%s%s%s%s;%s", scope_text, $1, $2, $3, $4, temp1)); Release($5); }
        ;
waista3
        : %empty  /* 455 */
                { $$ = Empty_Text(); }
        | FOR expr  /* 456 */
                { $$ = Format(" %s %s", $1, $2); }
        ;
waista2
        : %empty  /* 457 */
                { $$ = Empty_Text(); }
        | UNTIL expr  /* 458 */
                { $$ = Format(" %s %s", $1, $2); }
        ;
waista1
        : %empty  /* 459 */
                { $$ = Empty_Text(); }
        | ON sensitivity_list  /* 460 */
                { $$ = Format(" %s %s", $1, $2); }
        ;
comp_decl
        : COMPONENT Identifier comp_decl_1 comp_decl_2 END COMPONENT ';'  /* 461 */
                { Dec_Scope(); Dec_Scope(); $$ = Format("%s%s %s%s%s%s%s %s;", scope_text, $1, $2, $3, $4, scope_text, $5, $6); Release($7); }
        ;
comp_decl_2
        : %empty  /* 462 */
                { $$ = Empty_Text(); }
        | PORT interf_list ';'  /* 463 */
                { $$ = Format("%s%s %s;", scope_text, $1, $2); Release($3); }
        ;
comp_decl_1
        : %empty  /* 464 */
                { $$ = Empty_Text(); }
        | GENERIC interf_list ';'  /* 465 */
                { $$ = Format("%s%s %s;", scope_text, $1, $2); Release($3); }
        ;
block_config
        : FOR block_spec block_config_1 block_config_2 END FOR ';'  /* 466 */
                { $$ = Format("%s%s %s%s%s %s %s;", scope_text, $1, $2, $3, $4, $5, $6); Release($7); }
        ;
block_config_2
        : %empty  /* 467 */
                { $$ = Empty_Text(); }
        | block_config_2 config_item  /* 468 */
                { $$ = Format("%s %s", $1, $2); }
        ;
block_config_1
        : %empty  /* 469 */
                { $$ = Empty_Text(); }
        | block_config_1 use_clause  /* 470 */
                { $$ = Format("%s %s", $1, $2); }
        ;
block_spec
        : name  /* 471 */
        ;
config_item
        : block_config  /* 472 */
        | comp_config  /* 473 */
        ;
comp_config
        : FOR comp_spec comp_config_1 comp_config_2 END FOR ';'  /* 474 */
                { $$ = Format("%s%s %s%s%s %s %s;", scope_text, $1, $2, $3, $4, $5, $6); Release($7); }
        ;
comp_config_2
        : %empty  /* 475 */
                { $$ = Empty_Text(); }
        | block_config  /* 476 */
                { $$ = Format(" %s", $1); }
        ;
comp_config_1
        : %empty  /* 477 */
                { $$ = Empty_Text(); }
        | USE binding_indic ';'  /* 478 */
                { $$ = Format(" %s %s;", $1, $2); Release($3); }
        ;
config_spec
        : FOR comp_spec USE binding_indic ';'  /* 479 */
                { $$ = Format("%s%s %s %s %s;", scope_text, $1, $2, $3, $4); Release($5); }
        ;
comp_spec
        : inslist ':' mark  /* 480 */
                { $$ = Format("%s:%s", $1, $3); Release($2); }
        ;
inslist
        : idf_list  /* 481 */
        | ALL  /* 482 */
        | OTHERS  /* 483 */
        ;
binding_indic
        : entity_aspect binding_indic_1 binding_indic_2  /* 484 */
                { $$ = Format("%s%s%s", $1, $2, $3); }
        ;
binding_indic_2
        : %empty  /* 485 */
                { $$ = Empty_Text(); }
        | PORT MAP association_list  /* 486 */
                { $$ = Format(" %s %s %s", $1, $2, $3); }
        ;
binding_indic_1
        : %empty  /* 487 */
                { $$ = Empty_Text(); }
        | GENERIC MAP association_list  /* 488 */
                { $$ = Format(" %s %s %s", $1, $2, $3); }
        ;
entity_aspect
        : ENTITY name  /* 489 */
                { $$ = Format("%s %s", $1, $2); }
        | CONFIGURATION mark  /* 490 */
                { $$ = Format("%s %s", $1, $2); }
        | OPEN  /* 491 */
        ;

%%

void yyerror(const char* message) {
    std::fflush(stdout);
    std::printf("\nERROR:'%s' in your Source Code!!!!\n", message);
    std::printf("String:(%s) Line:%d Column:%d\n", yytext ? yytext : "", current_line_number, column);
}
