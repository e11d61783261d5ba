// The compiled evaluator must be indistinguishable from the scanning one:
// same values and kinds, same errors in the same order, the lexer left in
// the same state (the caret of an error message is placed from it), the
// same variables created and changed. Two interpreters, one of them with
// compilation turned off, evaluate the same expressions and are compared.

#include "expressions/Evaluator.h"
#include "support/RunComparison.h"
#include "values/InterpreterError.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace korvelin::testing {
namespace {

// Everything an evaluation leaves behind, as one line.
std::string evaluateAndDescribe(Interpreter& in, const ScanText& text, int skippedTokens = 0) {
    Lexer& lexer = in.lexer;
    std::string line;
    try {
        // A constant beyond the Double range already fails when scanned.
        lexer.start(&text);
        for (int i = 0; i < skippedTokens; ++i)
            lexer.nextToken();
        line = describe(evaluateExpression(in));
    } catch (const InterpreterError& e) {
        line = "error " + std::to_string(e.number());
    } catch (const HostFailure& f) {
        line = "failure " + std::to_string(static_cast<int>(f.kind()));
    }
    line += " | lexer " + std::to_string(lexer.position) + " " + std::to_string(lexer.currentChar) + " " +
            std::to_string(lexer.tokenKind) + " " + std::to_string(lexer.symbol) + " " +
            // Ids depend on the order words were first met, which reading
            // ahead changes; the words themselves must agree.
            (lexer.wordId >= 0 ? narrow(in.words.text(lexer.wordId)) : "-") + " " +
            describe(lexer.tokenValue) + " scanData " + std::to_string(lexer.scanData);
    line += " | source " + (lexer.source == &text ? std::string("expression") : narrow(lexer.source->text));
    line += " | register";
    for (std::int32_t s : in.variables.subscriptRegister)
        line += " " + std::to_string(s);
    line += " | variables";
    for (const VariableEntry& e : in.variables.variableTable)
        line += " " + narrow(in.words.text(e.nameId)) + "@" + std::to_string(e.base);
    for (std::int32_t slot = 0; slot < in.variables.nextFreeSlot; ++slot)
        line += " " + describe(in.variables[slot]);
    return line;
}

constexpr const char16_t* Prepared =
    u"10 A=3: B=-2.5: C%=7: D#=1E+300: E$=\"12\": S$=\"AB\": Z=0: H=&H7FFF: L=100000: G!=1.5\n"
    u"20 DIM M(3,4): M(1,2)=5: M(2,3)=-1: DIM N$(2): N$(1)=\"Q\"\n"
    u"30 DEF FNF(X)=X*X: DEF FNG(X,Y)=X-Y: DEF FNR=A+1: DEF FNS$(T$)=T$+\"!\": DEF FNE(X)=1/X\n"
    u"40 DEF FNN(X)=FNF(X)+FNG(X,1): DEF FNB(X)=X+BAD$: DEF FNZ(X)=M(X,1): DEF FNL(X)=LEN(X)\n"
    u"50 DEF FNK(X)=(X:DEF FNW(X)=X-: DEF FNC(X,Y)=2^X/Y";

// Two interpreters prepared alike, one of them scanning only.
struct Pair {
    ProgramRun scanning;
    ProgramRun compiled;
    Pair() {
        scanning.in->lexer.compileExpressions = false;
        scanning.run(Prepared);
        compiled.run(Prepared);
    }
    // Compares the first evaluation (which compiles) and two more (which
    // run the compiled form, with variables created by the first).
    void expectSame(std::u16string_view expression, int skippedTokens = 0) {
        const ScanText scanText{std::u16string(expression)};
        const ScanText compiledText{std::u16string(expression)};
        for (int round = 0; round < 3; ++round) {
            const std::string expected = evaluateAndDescribe(*scanning.in, scanText, skippedTokens);
            const std::string actual = evaluateAndDescribe(*compiled.in, compiledText, skippedTokens);
            ASSERT_EQ(actual, expected) << "expression: " << narrow(expression) << ", round " << round;
        }
    }
};

TEST(CompiledExpression, ValuesKindsAndEndStateMatchTheScanner) {
    Pair p;
    for (const char16_t* e : {u"2 + 3 * 4",
                              u"2 ^ 3 ^ 2",
                              u"-2 ^ 2",
                              u"2 ^ -2",
                              u"7 \\ 2 * 3",
                              u"10 - 7 MOD 4",
                              u"-7 MOD 3",
                              u"1 + 2 = 3 AND 4",
                              u"1 OR 2 XOR 3",
                              u"NOT 1 = 2",
                              u"NOT 3",
                              u"\"AB\" < \"ABC\"",
                              u"5 = \"5\"",
                              u"3 => 3",
                              u"3 =< 2",
                              u"S$ + \"CD\" + E$",
                              u"E$ + 4",
                              u"A * B - C% / 2",
                              u"H + 1",
                              u"L * L",
                              u"C% * C%",
                              u"G! / 3",
                              u"C% \\ 2",
                              u"-C%",
                              u"- -1",
                              u"+A",
                              u"&HFFFF AND 255",
                              u"D# + D#",
                              u"M(1, 2) + M(2, 3) * 2",
                              u"N$(1) + N$(2)",
                              u"M(1.5, 2.5)",
                              u"M((1), 2) ^ 2",
                              u"Q + Q2",
                              u"FNF(3) + FNG(5, 2)",
                              u"FNR * 2",
                              u"FNS$(S$)",
                              u"FNN(4)",
                              u"FNG(X + 1, X)",
                              u"FNF(FNF(2))",
                              u"X + FNF(5) + X",
                              u"FNC(3, 4)",
                              u"(A + B) * (A - B)",
                              u"((((A))))",
                              u"A, B",
                              u"A) + 1",
                              u"A THEN 10",
                              u"A: B = 1",
                              u"A ' note",
                              u"A ELSE 1",
                              u"1 = 1 = 1",
                              u"A B",
                              u"M(1,2) C",
                              u"12%",
                              u"1E+400 - 1E+400",
                              u"0E+400",
                              u"\"x\"",
                              u"H * H * H * H"}) {
        p.expectSame(e);
    }
}

TEST(CompiledExpression, ErrorsAndTheirLexerPositionMatchTheScanner) {
    Pair p;
    for (const char16_t* e : {u"1 / 0",
                              u"A + 1 / Z + 2",
                              u"1 \\ 0",
                              u"5 MOD Z",
                              u"\"X\" + 1",
                              u"\"A\" - \"B\"",
                              u"S$ * 2",
                              u"(-8) ^ 0.5",
                              u"2 ^ (-S$)",
                              u"-S$",
                              u"NOT S$",
                              u"L * L * L AND 1",
                              u"1E+300 * 1E+300",
                              u"D# * 10 + A",
                              u"10 ^ 400",
                              u"0 ^ -1",
                              u"M(4, 1)",
                              u"M(-1, 1) + 1 / 0",
                              u"M(1, 2, 3)",
                              u"M(1E+10, 1)",
                              u"M(S$, 1)",
                              u"M(1 / 0, 1)",
                              u"N$(1) + 1",
                              u"V(11)",
                              u"V(1,2)",
                              u"W(1,2,3,4,5,6)",
                              u"FNU(1)",
                              u"FNU",
                              u"A + FNU(1)",
                              u"FNF(1, 2)",
                              u"FNF()",
                              u"FNG(1)",
                              u"FNG(1, 2, 3)",
                              u"FNG(1, 1 / 0)",
                              u"FNE(0)",
                              u"FNE(0) + 1",
                              u"FNB(1)",
                              u"FNZ(9)",
                              u"FNL(1)",
                              u"FNK(1)",
                              u"FNW(1)",
                              u"FNC(1, 0)",
                              u"FNF",
                              u"A * -1",
                              u"A - -1",
                              u"(",
                              u"(1",
                              u"",
                              u"*",
                              u"PRINT",
                              u"A + PRINT",
                              u"1 + (2 * THEN)",
                              u"LEN(S$)",
                              u"(A + 1 / 0) + LEN(S$)",
                              u"NOT NOT 1",
                              u"A + NOT 1",
                              u"\x30c6 + 1",
                              u"1 + \x30c6",
                              u"A(",
                              u"M(1,",
                              u"FNF(1"}) {
        p.expectSame(e);
    }
}

// The functions whose arguments the compiled form evaluates itself, with
// every shape of argument list their readers accept.
TEST(CompiledExpression, BuiltinFunctionsComputeAsTheirReaders) {
    Pair p;
    for (const char16_t* e :
         {u"SIN(A) + COS(B) * TAN(1) - ATN(G!)",
          u"SQR(A * A + 16) + LOG(10) + EXP(1)",
          u"INT(-2.5) + FIX(-2.5) + INT(G!) + FIX(C%) + INT(L) + INT(E$) + INT(1 = 1)",
          u"ABS(B) + ABS(-C%) + ABS(G!) + ABS(-32767 - 1) + ABS(1 = 1) + ABS(-L)",
          u"SGN(B) * 100 + SGN(Z) * 10 + SGN(E$)",
          u"CINT(2.5) + CINT(3.5) + CSNG(1 / 3) + CDBL(G!) + CINT(E$)",
          u"VAL(\"12abc\") + VAL(E$) + VAL(3) + VAL(\"&H10\") + VAL(\"\")",
          u"LEN(S$) + LEN(123) + LEN(1 = 1) + LEN(\"\") + LEN(-G!)",
          u"ASC(S$) + ASC(\"\x4e9c\") + ASC(12) + KLEN(\"A\x4e9c\")",
          u"CHR$(65) + CHR$(-30561) + CHR$(C% + 60) + CHR$(0)",
          u"STR$(A) + STR$(-1.5) + STR$(D#) + HEX$(-1) + HEX$(-C%) + OCT$(C%) + HEX$(L)",
          u"SPACE$(3) + S$ + SPC(1)",
          u"LEFT$(S$, 1) + LEFT$(S$, 9) + RIGHT$(S$, 1) + RIGHT$(123, 2) + LEFT$(S$, 0.5)",
          u"MID$(S$, 2) + MID$(S$, 1, 1) + MID$(S$, 3) + MID$(\"ABCDEF\", 2.5, 1.5)",
          u"MID$(S$, 1, \"X\") + MID$(\"ABC\", 1, A = A) + MID$(123, 2, 1) + MID$(S$, 1, 0)",
          u"KMID$(\"A\x4e9c\x4e9c\" + \"B\", 2, 1) + KMID$(\"A\x4e9c\" + \"B\", 3)",
          u"INSTR(S$, \"B\") + INSTR(2, S$, \"B\") + INSTR(3, S$, \"\") + INSTR(9, S$, \"\")",
          u"INSTR(\"-1X\", 1 = 1) * 10 + INSTR(1 = 1, \"-1\")",
          u"INSTR(A < 4, \"A-1\", \"1\")",
          u"KINSTR(\"A\x4e9c\" + \"B\", \"B\") + KINSTR(2, \"AB\x4e9c\" + \"B\", \"B\")",
          u"STRING$(3, \"AB\") + STRING$(2, 65.4) + STRING$(0, \"X\") + STRING$(2, 321)",
          u"MID$(S$ + E$, LEN(S$), 2) + LEFT$(FNS$(S$), 2) + MID$(S$, FNF(1), 1)",
          u"INSTR(FNF(1), FNS$(S$), \"!\") + LEN(STR$(SQR(FNF(3))))",
          u"X + LEN(FNS$(MID$(S$, X + 1))) + X",
          u"SIN((1)) + LEN((S$)) + ABS(M(1, 2))",
          u"ABS(-1) ^ 2 + LEN(S$) MOD 2 = 0",
          u"INT(A)"}) {
        p.expectSame(e);
    }
}

TEST(CompiledExpression, BuiltinFunctionErrorsStopWhereTheReaderStops) {
    Pair p;
    for (const char16_t* e : {u"SQR(-1)",
                              u"LOG(0)",
                              u"1 + LOG(-1) + 1 / 0",
                              u"EXP(1000)",
                              u"CSNG(D#)",
                              u"CINT(40000)",
                              u"SIN(S$)",
                              u"SIN(1 / 0)",
                              u"SIN(1 / 0",
                              u"SIN(1, 2)",
                              u"SIN(1",
                              u"SIN 1)",
                              u"SIN",
                              u"SIN(",
                              u"SIN()",
                              u"LEN S$)",
                              u"LEN(S$ + 1)",
                              u"ABS(N$(5))",
                              u"INT(M(-1, 0))",
                              u"1 / 0 + SQR(-1)",
                              u"SQR(-1) + 1 / 0",
                              u"CHR$(-1)",
                              u"CHR$(70000)",
                              u"CHR$(1E+10)",
                              u"CHR$(S$)",
                              u"ASC(\"\")",
                              u"ASC(\"\") + 1",
                              u"SPACE$(0)",
                              u"STR$(S$)",
                              u"HEX$(1E+10)",
                              u"LEFT$(S$, -1)",
                              u"LEFT$(S$, 1E+10)",
                              u"LEFT$(S$, 1E+10",
                              u"LEFT$(S$, S$)",
                              u"LEFT$(S$)",
                              u"LEFT$(S$; 1)",
                              u"LEFT$ S$, 1)",
                              u"LEFT$(1 / 0, 1)",
                              u"RIGHT$(S$, 1, 2)",
                              u"MID$(S$, 0)",
                              u"MID$(S$, 0, 1E+10)",
                              u"MID$(S$, 1E+10, 1)",
                              u"MID$(S$, 1, -1)",
                              u"MID$(S$, 1, 40000)",
                              u"MID$(S$, 1, 1E+10",
                              u"MID$(S$, 1,, 2)",
                              u"MID$(S$, 1,)",
                              u"MID$(S$)",
                              u"MID$(S$, 1, 2, 3)",
                              u"MID$(S$, 1, 2",
                              u"MID$(S$, 0,, 2)",
                              u"MID$(S$ 1)",
                              u"INSTR(0, S$, \"A\")",
                              u"INSTR(0, S$, 1 / 0)",
                              u"INSTR(1E+10, S$, \"A\")",
                              u"INSTR(S$, \"A\", \"B\")",
                              u"INSTR(2, S$)",
                              u"INSTR(0, S$)",
                              u"INSTR(S$)",
                              u"INSTR(S$ AND 1, \"A\")",
                              u"INSTR(1, S$, 1 / 0)",
                              u"INSTR(S$, 1 / 0, 2)",
                              u"INSTR(1 / 0, S$)",
                              u"INSTR(S$, \"A\", \"B\", \"C\")",
                              u"INSTR(1, 2, 3",
                              u"INSTR(E$ + 1, \"A\")",
                              u"KINSTR(0, S$, \"A\")",
                              u"STRING$(-1, \"A\")",
                              u"STRING$(2, \"\")",
                              u"STRING$(1E+10, \"A\")",
                              u"STRING$(2, S$ + 1)",
                              u"STRING$(2)",
                              u"LEN(FNE(0))",
                              u"MID$(S$, FNE(0))",
                              u"MID$(FNB(1), 1)",
                              u"INSTR(FNS$(1), \"A\")"}) {
        p.expectSame(e);
    }
}

TEST(CompiledExpression, ExpressionsThatDoNotStartAtTheTextStart) {
    Pair p;
    p.expectSame(u"R = A + 1: S = 2", 2);
    p.expectSame(u"IF A > 2 THEN 100", 1);
    p.expectSame(u"FOR I = A TO B * 2 STEP -1", 3);
    p.expectSame(u"FOR I = A TO B * 2 STEP -1", 5);
    p.expectSame(u"X(1 / 0) = 5", 2);
}

// Random token soup and random well-formed expressions: the two paths must
// agree on every one, including the state the interpreter is left in.
class RandomExpressions {
  public:
    explicit RandomExpressions(unsigned seed) : random_(seed) {}

    std::u16string next() {
        std::vector<std::u16string> tokens;
        if (pick(4) == 0) {
            const int n = 1 + pick(10);
            for (int i = 0; i < n; ++i)
                tokens.push_back(any(soup));
        } else {
            expression(tokens, 3);
            // Now and then a token too many or too few.
            if (pick(5) == 0)
                tokens.insert(tokens.begin() + pick(static_cast<int>(tokens.size()) + 1), any(soup));
            if (pick(8) == 0 && tokens.size() > 1)
                tokens.erase(tokens.begin() + pick(static_cast<int>(tokens.size())));
        }
        std::u16string text;
        for (const std::u16string& t : tokens)
            text += (pick(3) == 0 ? u"" : u" ") + t;
        return text;
    }

  private:
    int pick(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }
    template <std::size_t N> std::u16string any(const char16_t* const (&list)[N]) { return list[pick(N)]; }

    void expression(std::vector<std::u16string>& out, int depth) {
        const int terms = 1 + pick(3);
        for (int i = 0; i < terms; ++i) {
            if (i > 0) out.push_back(any(binaries));
            if (pick(6) == 0) out.push_back(any(prefixes));
            primary(out, depth);
            if (pick(8) == 0) {
                out.push_back(u"^");
                if (pick(3) == 0) out.push_back(u"-");
                primary(out, depth);
            }
        }
    }

    void primary(std::vector<std::u16string>& out, int depth) {
        if (depth == 0 || pick(2) == 0) {
            out.push_back(any(leaves));
            return;
        }
        switch (pick(6)) {
        case 0:
            out.push_back(u"(");
            expression(out, depth - 1);
            out.push_back(u")");
            return;
        case 1:
            out.push_back(u"M(");
            expression(out, depth - 1);
            out.push_back(u",");
            expression(out, depth - 1);
            out.push_back(u")");
            return;
        case 2:
            out.push_back(any(oneArgument));
            expression(out, depth - 1);
            out.push_back(u")");
            return;
        case 3:
            out.push_back(u"FNG(");
            expression(out, depth - 1);
            out.push_back(u",");
            expression(out, depth - 1);
            out.push_back(u")");
            return;
        default: out.push_back(any(leaves)); return;
        }
    }

    static constexpr const char16_t* leaves[] = {
        u"A",   u"B",      u"C%",    u"D#", u"E$",  u"S$",     u"Z",      u"H",      u"L",       u"G!",
        u"Q",   u"X",      u"1",     u"0",  u"2.5", u"3",      u"1E+300", u"&HFFFF", u"\"x\"",   u"\"12\"",
        u"FNR", u"M(1,2)", u"N$(1)", u"-1", u"ERR", u"INKEY$", u"RND",    u"DATE$",  u"LEN(S$)", u"ASC(E$)"};
    static constexpr const char16_t* binaries[] = {u"+",  u"-",   u"*", u"/", u"\\", u"MOD", u"AND",
                                                   u"OR", u"XOR", u"=", u"<", u">",  u"<>",  u"<=",
                                                   u">=", u"=>",  u"^", u"+", u"-",  u"*"};
    static constexpr const char16_t* prefixes[] = {u"-", u"+", u"NOT"};
    static constexpr const char16_t* oneArgument[] = {
        u"FNF(",       u"FNS$(",       u"FNE(",   u"FNN(",  u"FNB(",      u"FNZ(",      u"N$(",   u"FNL(",
        u"V(",         u"ABS(",        u"INT(",   u"SGN(",  u"LEN(",      u"STR$(",     u"SQR(",  u"CINT(",
        u"LEFT$(S$,",  u"MID$(E$,",    u"RND(",   u"VAL(",  u"CHR$(",     u"INSTR(S$,", u"SIN((", u"ERR(",
        u"MID$(S$,2,", u"INSTR(2,S$,", u"STR$(",  u"ASC(",  u"LOG(",      u"TAN(",      u"HEX$(", u"SPACE$(",
        u"RIGHT$(E$,", u"STRING$(2,",  u"INSTR(", u"MID$(", u"KMID$(S$,", u"EXP(",      u"CSNG(", u"FIX("};
    static constexpr const char16_t* soup[] = {
        u"A",      u"B$",    u"M(",   u"FNF(",   u"FNG(",   u"FNR",   u"FNU(",     u")",     u"(",
        u",",      u":",     u"'",    u"+",      u"-",      u"*",     u"/",        u"^",     u"MOD",
        u"AND",    u"NOT",   u"=",    u"<>",     u"1",      u"0",     u"2.5",      u"\"x\"", u"THEN",
        u"ELSE",   u"PRINT", u"LEN(", u"X",      u"1E+300", u"Q(",    u"SIN(",     u"MID$(", u"ERR",
        u"INKEY$", u"RND",   u"LEN",  u"INSTR(", u"LEFT$(", u"CHR$(", u"STRING$(", u"S$"};

    std::mt19937 random_;
};

TEST(CompiledExpression, RandomExpressionsMatchTheScanner) {
    Pair p;
    RandomExpressions random(20240611);
    for (int i = 0; i < 3000; ++i) {
        p.expectSame(random.next());
        if (::testing::Test::HasFatalFailure()) return;
    }
}

TEST(CompiledExpression, ProgramsEndAndReportErrorsAlike) {
    for (const char16_t* program : {
             u"10 T=0: FOR I=1 TO 100: T=T+I*2: NEXT I\n20 R=T/0",
             u"10 DIM F(20): FOR I=0 TO 20: F(I)=I MOD 3: NEXT\n20 FOR I=0 TO 21: IF F(I)=0 THEN C=C+1\n30 "
             u"NEXT",
             u"10 A=1\n20 B = A + 2 * \"X\"",
             u"10 DEF FNA(X)=X/Y\n20 R=1+FNA(3)",
             u"10 DEF FNA(X)=X+\"S\"\n20 R=FNA(1)*2",
             u"10 ON ERROR GOTO 100\n20 R=1+1/0+2\n30 END\n100 E=1: RESUME NEXT",
             u"10 IF 1/0 THEN 20\n20 END",
             u"10 FOR I=1 TO 1E+300*1E+300\n20 NEXT",
             u"10 X=5: Y=FNQ(X)",
             u"10 DIM A(2): A(1)=1: B=A(1)+A(3)",
             u"10 R=(1+2)*(3+4) PRINT",
             u"10 R=M(1)+N(1,2)+M(1,2)",
             u"10 ON ERROR GOTO 100\n20 DIM A(50000): DIM B(50000)\n30 X=B(1)+B(40000)\n40 END\n100 RESUME "
             u"NEXT",
             u"10 DIM A(3): FOR I=0 TO 4: S=S+A(I): NEXT",
             u"10 ON ERROR GOTO 100\n20 DIM A(3): FOR I=1 TO 3: A(SQR(2-I))=I: NEXT\n30 END\n100 E=E+1: "
             u"RESUME "
             u"NEXT",
             u"10 ON ERROR GOTO 100\n20 FOR I=1 TO 4: R$=MID$(\"ABCD\",I,I-2)+CHR$(63+I): NEXT\n30 END\n100 "
             u"E=E+ERR: RESUME NEXT",
             // A subscript that fails after RND has moved on must not be evaluated again.
             u"10 ON ERROR GOTO 100\n20 DIM A(9): FOR I=1 TO 3: A(RND(1)*3+SQR(I-2))=I: NEXT\n30 "
             u"R=RND(1)\n40 "
             u"END\n100 E=E+1: RESUME NEXT",
             // The same INSTR text with a start, then (after DEFSTR) with a string first.
             u"10 ON ERROR GOTO 100\n20 Y=2: FOR I=1 TO 2: R=R+INSTR(Y,\"ABAB\",\"B\"): Q=Q+INSTR(Y,\"B\"): "
             u"DEFSTR Y: Y=\"AB\": NEXT\n30 END\n100 E=E*100+ERR: RESUME NEXT",
             u"10 S$=\"ABAB\": FOR I=1 TO 3: T=T+INSTR(I,S$,\"B\")*I+LEN(S$)+ASC(MID$(S$,I)): NEXT",
         }) {
        expectSameRun(program);
    }
}

TEST(CompiledExpression, RandomProgramsMatchTheScanner) {
    RandomExpressions random(77);
    for (int i = 0; i < 150; ++i) {
        std::u16string program = std::u16string(Prepared) + u"\n60 R=" + random.next() + u"\n70 IF " +
                                 random.next() + u" THEN S=1 ELSE S=2\n80 FOR K=1 TO 3: T=T+" +
                                 random.next() + u": NEXT\n90 M(1,1)=" + random.next();
        expectSameRun(program);
    }
}

// What may change while a program runs is looked at while it runs.
TEST(CompiledExpression, DefaultTypesChangedAfterCompiling) {
    ProgramRun r(u"10 DIM R(2): A!=1.5: A%=7\n20 FOR I=1 TO 2\n30 R(I)=A\n40 DEFINT A\n50 NEXT I");
    EXPECT_EQ(r.num(u"R!", {1}), 1.5);
    EXPECT_EQ(r.num(u"R!", {2}), 7);
}

TEST(CompiledExpression, VariablesCreatedByTheFirstEvaluation) {
    ProgramRun r(u"10 DIM R(3): FOR I=1 TO 3: R(I)=Q+W(I): Q=I: W(I)=10*I: NEXT");
    EXPECT_EQ(r.num(u"R!", {1}), 0);
    EXPECT_EQ(r.num(u"R!", {2}), 1 + 0);
    EXPECT_EQ(r.num(u"R!", {3}), 2 + 0);
    EXPECT_EQ(r.num(u"W!", {3}), 30);
}

TEST(CompiledExpression, FunctionsDefinedAfterAFailedCall) {
    ProgramRun r(u"10 ON ERROR GOTO 100\n20 R=FNA(2)+1\n30 END\n100 DEF FNA(X)=X*10: RESUME");
    EXPECT_FALSE(r.failed());
    EXPECT_EQ(r.num(u"R!"), 21);
}

TEST(CompiledExpression, ANewRunForgetsTheSlotsOfTheOldOne) {
    ProgramRun r(u"10 A=1: B=2");
    Interpreter& in = *r.in;
    const ScanText text{u"B * 10 + A"};
    in.lexer.start(&text);
    EXPECT_EQ(evaluateExpression(in).toDouble(), 21);

    // The same names in other slots: B first this time.
    in.variables.clearVariables();
    const ScanText assignments{u"B"};
    in.lexer.start(&assignments);
    in.variables[in.variables.lookupVariable(in.completeName(in.lexer.wordId), LookupMode::Reference)] =
        Value::dbl(5);
    in.lexer.start(&text);
    EXPECT_EQ(evaluateExpression(in).toDouble(), 50);
    EXPECT_EQ(in.variables.variableCount(), 2); // A was created by the evaluation
}

TEST(CompiledExpression, ATextGivenNewContentsIsCompiledAgain) {
    ProgramRun r(u"10 A=1: B=2");
    Interpreter& in = *r.in;
    ScanText text{u"A + B"};
    in.lexer.start(&text);
    EXPECT_EQ(evaluateExpression(in).toDouble(), 3);
    text.text = u"A - B";
    text.tokens.clear();
    in.lexer.start(&text);
    EXPECT_EQ(evaluateExpression(in).toDouble(), -1);
}

TEST(CompiledExpression, DataItemsAreScanned) {
    ProgramRun r(u"10 READ A, B, C: DATA 1+2, -3*2, 4\n20 RESTORE: READ D: READ E");
    EXPECT_EQ(r.num(u"A!"), 3);
    EXPECT_EQ(r.num(u"B!"), -6);
    EXPECT_EQ(r.num(u"E!"), -6);
}

} // namespace
} // namespace korvelin::testing
