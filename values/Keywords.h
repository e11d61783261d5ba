#pragma once
// Every word the interpreter itself compares against: statement keywords,
// clause words and built-in function names. They are interned first, in
// this order, so a word token's id equals its Keyword value and a keyword
// test is one integer comparison.

#include <cstdint>
#include <string_view>

namespace korvelin {

// clang-format off
#define KORVELIN_KEYWORDS(X)                                                                            \
    /* statements */                                                                                    \
    X(Goto, "GOTO") X(Go, "GO") X(Gosub, "GOSUB") X(Return, "RETURN") X(On, "ON") X(If, "IF")           \
    X(For, "FOR") X(Next, "NEXT") X(While, "WHILE") X(Wend, "WEND") X(End, "END") X(Stop, "STOP")       \
    X(Resume, "RESUME") X(Key, "KEY") X(Mouse, "MOUSE") X(Help, "HELP") X(Com, "COM") X(Run, "RUN")     \
    X(Chain, "CHAIN") X(System, "SYSTEM") X(Child, "CHILD") X(Let, "LET") X(Read, "READ")               \
    X(Data, "DATA") X(Restore, "RESTORE") X(Swap, "SWAP") X(Randomize, "RANDOMIZE") X(DateS, "DATE$")   \
    X(TimeS, "TIME$") X(MidS, "MID$") X(Rem, "REM") X(Call, "CALL") X(Clear, "CLEAR")                   \
    X(Common, "COMMON") X(Draw, "DRAW") X(Erase, "ERASE") X(Error, "ERROR") X(Kinput, "KINPUT")         \
    X(Kpload, "KPLOAD") X(Option, "OPTION") X(Out, "OUT") X(Pen, "PEN") X(Poke, "POKE") X(Set, "SET")   \
    X(Term, "TERM") X(Tron, "TRON") X(Troff, "TROFF") X(View, "VIEW") X(Wait, "WAIT")                   \
    X(Window, "WINDOW") X(Dim, "DIM") X(Defint, "DEFINT") X(Defsng, "DEFSNG") X(Defdbl, "DEFDBL")       \
    X(Defstr, "DEFSTR") X(Def, "DEF") X(Print, "PRINT") X(Lprint, "LPRINT") X(Write, "WRITE")           \
    X(Width, "WIDTH") X(Console, "CONSOLE") X(Locate, "LOCATE") X(Color, "COLOR") X(Cls, "CLS")         \
    X(Copy, "COPY") X(Input, "INPUT") X(Line, "LINE") X(Pset, "PSET") X(Preset, "PRESET")               \
    X(Circle, "CIRCLE") X(Paint, "PAINT") X(Screen, "SCREEN") X(Bload, "BLOAD") X(Bsave, "BSAVE")       \
    X(Get, "GET") X(Put, "PUT") X(Roll, "ROLL") X(Open, "OPEN") X(Close, "CLOSE") X(Field, "FIELD")     \
    X(Lset, "LSET") X(Rset, "RSET") X(Files, "FILES") X(Lfiles, "LFILES") X(Kill, "KILL")               \
    X(Name, "NAME") X(Chdir, "CHDIR") X(Mkdir, "MKDIR") X(Rmdir, "RMDIR") X(Play, "PLAY")               \
    X(Beep, "BEEP")                                                                                     \
    /* clause words */                                                                                  \
    X(Then, "THEN") X(Else, "ELSE") X(To, "TO") X(StepWord, "STEP") X(And, "AND") X(Or, "OR")           \
    X(Xor, "XOR") X(Not, "NOT") X(Using, "USING") X(All, "ALL") X(Merge, "MERGE") X(Off, "OFF")         \
    X(As, "AS") X(Alloc, "ALLOC") X(Kanji, "KANJI")                                                     \
    /* built-in functions */                                                                            \
    X(Sin, "SIN") X(Cos, "COS") X(Tan, "TAN") X(Atn, "ATN") X(Sqr, "SQR") X(Log, "LOG") X(Exp, "EXP")   \
    X(Int, "INT") X(Fix, "FIX") X(Abs, "ABS") X(Sgn, "SGN") X(Cint, "CINT") X(Csng, "CSNG")             \
    X(Cdbl, "CDBL") X(Eof, "EOF") X(Loc, "LOC") X(Lof, "LOF") X(Len, "LEN") X(Klen, "KLEN")             \
    X(Val, "VAL") X(Asc, "ASC") X(Pos, "POS") X(Tab, "TAB") X(Cvi, "CVI") X(Cvl, "CVL") X(Cvs, "CVS")   \
    X(Cvd, "CVD") X(MkiS, "MKI$") X(MklS, "MKL$") X(MksS, "MKS$") X(MkdS, "MKD$") X(StrS, "STR$")       \
    X(SpaceS, "SPACE$") X(Spc, "SPC") X(OctS, "OCT$") X(HexS, "HEX$") X(ChrS, "CHR$")                   \
    X(AkcnvS, "AKCNV$") X(KacnvS, "KACNV$") X(JisS, "JIS$") X(KnjS, "KNJ$") X(EnvironS, "ENVIRON$")     \
    X(Csrlin, "CSRLIN") X(Erl, "ERL") X(Err, "ERR") X(InkeyS, "INKEY$") X(Rnd, "RND") X(Point, "POINT") \
    X(Instr, "INSTR") X(Kinstr, "KINSTR") X(InputS, "INPUT$") X(LeftS, "LEFT$") X(RightS, "RIGHT$")     \
    X(StringS, "STRING$") X(KmidS, "KMID$")
// clang-format on

enum Keyword : std::int32_t {
#define KORVELIN_KEYWORD_ENUM(name, text) Kw##name,
    KORVELIN_KEYWORDS(KORVELIN_KEYWORD_ENUM)
#undef KORVELIN_KEYWORD_ENUM
        KeywordCount
};

// The first and last statement keyword (inclusive).
constexpr std::int32_t FirstStatementKeyword = KwGoto;
constexpr std::int32_t LastStatementKeyword = KwBeep;
// The first and last built-in function keyword (inclusive).
constexpr std::int32_t FirstFunctionKeyword = KwSin;
constexpr std::int32_t LastFunctionKeyword = KwKmidS;

std::u16string_view keywordText(Keyword keyword);

} // namespace korvelin
