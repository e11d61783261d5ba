// Statements run from their compiled form must end every program exactly
// as their handlers do: same values, same errors at the same caret, same
// traps, same loop and GOSUB stacks. Each program runs twice, once with
// compilation turned off, and the two runs are compared.

#include "support/RunComparison.h"

#include <gtest/gtest.h>

#include <random>

namespace korvelin::testing {
namespace {

TEST(CompiledStatement, AssignmentsAndTheirErrors) {
    for (const char16_t* program : {
             u"10 FOR I=1 TO 5: A=A+I: LET B=B*2+I: C$=C$+\"X\": NEXT",
             // Rounding for "%" targets, and a string where it cannot go.
             u"10 FOR I=1 TO 4: N%=I*1.5: NEXT\n20 N%=\"A\"",
             u"10 N%=32767.4: M%=32767.6",
             u"10 N%=A$+\"B\"",
             u"10 N%=LEFT$(\"AB\",1)",
             // A default type changed between two runs of the same statement.
             u"10 FOR I=1 TO 3: X=I/2: R(I)=X: DEFINT X: NEXT",
             // Array targets: implicit creation, bounds, negative and huge subscripts.
             u"10 FOR I=0 TO 11: A(I)=I: NEXT",
             u"10 DIM A(3): I=-1: A(I)=5",
             u"10 DIM A(3): A(1E+10)=5",
             u"10 DIM A(3,3): FOR I=0 TO 3: FOR J=0 TO 3: A(I,J)=I*J: NEXT J,I: A(1)=1",
             u"10 DIM A(3): A(LEN(\"AB\"))=7: A(FNX(1))=2",
             // Errors in the value, after a target that exists.
             u"10 A=1: FOR I=1 TO 3: A=A/(2-I): NEXT",
             u"10 DEF FNA(X)=X/Y: FOR I=1 TO 2: R=I+FNA(I): NEXT",
             u"10 X=1 2",
             u"10 SIN=1",
             u"10 FNA=1",
         }) {
        expectSameRun(program);
    }
}

TEST(CompiledStatement, TrappedErrorsResumeTheCompiledStatement) {
    for (const char16_t* program : {
             u"10 ON ERROR GOTO 100\n20 FOR I=1 TO 3: R(I)=10/(I-2): NEXT\n30 END\n100 E=E+ERL+ERR: RESUME "
             u"NEXT",
             u"10 ON ERROR GOTO 100\n20 D=0: R=10/D\n30 END\n100 D=2: RESUME",
             u"10 ON ERROR GOTO 100\n20 DIM A(2): FOR I=0 TO 4: A(I)=I: NEXT\n30 END\n100 N=N+1: RESUME NEXT",
             u"10 ON ERROR GOTO 100\n20 GOTO 50\n30 END\n100 E=ERR: RESUME 30",
             // A handler left by RETURN, which also ends the handler's level.
             u"10 ON ERROR GOTO 100\n20 X=1/0\n30 Y=1: END\n100 E=ERR: RETURN",
         }) {
        expectSameRun(program);
    }
}

TEST(CompiledStatement, JumpsSubroutinesAndConditions) {
    for (const char16_t* program : {
             u"10 K=K+1: GOSUB 100: IF K<5 THEN 10\n20 END\n100 S=S+K: RETURN",
             u"10 IF A=0 GOTO 30\n20 B=1\n30 C=1: IF C THEN 50\n40 D=1\n50 END",
             u"10 IF -1 THEN 99",
             u"10 IF 1 THEN 99: X=1", // only -1 is true
             u"10 IF -1 GOTO 99",
             u"10 IF 0 THEN 99: X=1",
             u"10 FOR I=1 TO 4: IF I MOD 2 THEN 20 ELSE 30\n20 A=A+I: GOTO 40\n30 B=B+I\n40 NEXT",
             u"10 IF 0 GOTO 20 ELSE 30\n20 A=1\n30 B=1",
             u"10 IF -1 THEN 20 ELSE 99\n20 A=1",
             u"10 IF 0 THEN 20 ELSE 99\n20 A=1",
             u"10 IF 0 THEN 20 ELSE 30 X\n20 A=1\n30 B=1",
             // THEN GOTO / THEN GOSUB run as statements of their own.
             u"10 FOR I=1 TO 6: IF I MOD 2 THEN GOSUB 100\n20 NEXT: END\n100 S=S+I: RETURN",
             u"10 FOR I=1 TO 6: IF I>3 THEN GOTO 30\n20 NEXT\n30 E=I",
             u"10 IF -1 THEN GOSUB 99",
             u"10 IF -1 THEN GOTO 99\n20 A=1",
             u"10 ON ERROR GOTO 100\n20 IF -1 THEN GOSUB 99\n30 A=1: END\n100 E=ERR: L=ERL: RESUME NEXT",
             u"10 ON ERROR GOTO 100\n20 IF -1 THEN GOTO 99\n30 A=1: END\n100 E=ERR: RESUME NEXT",
             u"10 ON ERROR GOTO 100\n20 N=N+1: IF -1 THEN GOSUB 20\n100 E=ERR: D=N",
             u"10 N=N+1: IF -1 THEN GOSUB 10",
             u"10 IF -1 THEN GOSUB 20 X\n20 A=1",
             u"10 GOTO 99",
             u"10 GOSUB 99",
             u"10 GOTO 20 X\n20 END",
             u"10 RETURN",
             u"10 GOSUB 20: X=1: END\n20 RETURN 30\n30 Y=1",
             u"10 IF \"A\" THEN 20\n20 END",
             u"10 IF 1/0 THEN 20\n20 END",
             // GOSUB in a line with more statements after it, and a trap.
             u"10 FOR I=1 TO 3: GOSUB 100: T=T+I: NEXT: END\n100 U=U+1: RETURN",
             u"10 ON ERROR GOTO 100\n20 GOSUB 20\n100 E=ERR: D=ERL",
         }) {
        expectSameRun(program);
    }
}

TEST(CompiledStatement, LoopsClosedByNext) {
    for (const char16_t* program : {
             u"10 FOR I=1 TO 3: FOR J=1 TO 3: S=S+I*J: NEXT J: NEXT I",
             u"10 FOR I=1 TO 3: FOR J=1 TO 3: S=S+I*J: NEXT I",
             u"10 FOR I=10 TO 1 STEP -3: S=S+I: NEXT I",
             u"10 FOR I%=32760 TO 32767: S=S+1: NEXT",
             u"10 FOR I=1 TO 3: NEXT J",
             u"10 NEXT",
             u"10 WHILE I<3: I=I+1: NEXT",
             u"10 FOR I=1 TO 0: A=1/0: NEXT: B=1",
             u"10 FOR I=1 TO 2: FOR J=5 TO 1: X=X+1: NEXT J: NEXT I",
             // FOR: failing values leave the pushed entry as the handler leaves it.
             u"10 ON ERROR GOTO 100\n20 FOR I=1 TO 1/0\n30 S=1: END\n100 E=E+1: RESUME NEXT",
             u"10 ON ERROR GOTO 100\n20 FOR I=2 TO 5 STEP \"A\"+1: S=S+I\n30 END\n100 E=ERR: RESUME NEXT",
             u"10 FOR I=1E+300 TO -1E+300 STEP 1E+300: S=1: NEXT",
             u"10 FOR I=1E+300 TO -1E+300 STEP 1E+300+I: S=1: NEXT",
             u"10 FOR I=1.7E+308 TO -1.7E+308+I: S=1: NEXT",
             u"10 FOR A(1)=1 TO 3: S=S+1: NEXT",
             u"10 FOR I=5 TO 1 STEP -2: FOR J=I TO 6: S=S+J: NEXT J, I",
             u"10 GOSUB 20: END\n20 N=N+1: FOR I=1 TO 2: GOSUB 20: NEXT: RETURN",
             // A NEXT whose jump lands in the IF line it started from.
             u"10 IF -1 THEN FOR I=1 TO 3: S=S+I: NEXT: IF S<100 THEN 10",
         }) {
        expectSameRun(program);
    }
}

// Programs built from random statements: forward jumps only, bounded loops.
class RandomStatements {
  public:
    explicit RandomStatements(unsigned seed) : random_(seed) {}

    std::u16string program() {
        std::u16string text = u"10 DIM M(5,5): DEF FNF(X)=X*2: DEF FNE(X)=1/X\n";
        const int lines = 4 + pick(8);
        for (int line = 2; line <= lines; ++line) {
            text += std::u16string(number(line * 10)) + u" ";
            const int statements = 1 + pick(3);
            for (int s = 0; s < statements; ++s) {
                if (s > 0) text += u": ";
                text += statement(line, lines);
            }
            text += u"\n";
        }
        text += number(lines * 10 + 10) + u" END\n";
        text += number(lines * 10 + 20) + u" S=S+1: RETURN\n";
        return text;
    }

  private:
    static std::u16string number(int n) {
        std::u16string out;
        for (char c : std::to_string(n))
            out += static_cast<char16_t>(c);
        return out;
    }
    int pick(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }
    template <std::size_t N> std::u16string any(const char16_t* const (&list)[N]) { return list[pick(N)]; }

    std::u16string statement(int line, int lines) {
        const std::u16string forward = number((line + 1 + pick(lines - line + 1)) * 10);
        switch (pick(9)) {
        case 0:
            return u"IF " + expression() + u" THEN " + forward +
                   (pick(3) == 0 ? u" ELSE " + number((line + 1 + pick(lines - line + 1)) * 10) : u"");
        case 1: return u"IF " + expression() + u" GOTO " + forward;
        case 2:
            if (pick(4) == 0) return u"GOTO " + forward;
            return pick(3) == 0 ? u"IF " + expression() + u" THEN GOTO " + forward : u"A=A+1";
        case 3:
            if (pick(2) == 0) return u"IF " + expression() + u" THEN GOSUB " + number(lines * 10 + 20);
            return u"GOSUB " + number(lines * 10 + 20);
        case 4: return u"FOR K=1 TO " + number(1 + pick(3)) + u": T=T+" + expression() + u": NEXT";
        case 5: return u"M(" + expression() + u"," + any(small) + u")=" + expression();
        case 6: return u"LET " + any(targets) + u"=" + expression();
        default: return any(targets) + u"=" + expression();
        }
    }

    std::u16string expression() {
        std::u16string out = any(leaves);
        for (int terms = pick(3); terms > 0; --terms)
            out += any(operators) + any(leaves);
        return out;
    }

    static constexpr const char16_t* leaves[] = {u"A",      u"B",     u"C%",     u"D#",         u"I", u"1",
                                                 u"2.5",    u"-3",    u"0",      u"M(1,2)",     u"S", u"T",
                                                 u"FNF(A)", u"\"x\"", u"FNE(B)", u"LEN(\"AB\")"};
    static constexpr const char16_t* operators[] = {u"+",     u"-", u"*", u"/",    u"\\",
                                                    u" MOD ", u"=", u"<", u" AND "};
    static constexpr const char16_t* targets[] = {u"A", u"B", u"C%", u"D#", u"I", u"E$"};
    static constexpr const char16_t* small[] = {u"0", u"1", u"2", u"6", u"-1", u"A"};

    std::mt19937 random_;
};

TEST(CompiledStatement, RandomProgramsEndAlike) {
    RandomStatements random(1234);
    for (int i = 0; i < 400; ++i) {
        expectSameRun(random.program());
        if (::testing::Test::HasFailure()) return;
    }
}

TEST(CompiledStatement, RandomProgramsWithTrappedErrorsEndAlike) {
    RandomStatements random(99);
    for (int i = 0; i < 200; ++i) {
        expectSameRun(u"5 ON ERROR GOTO 1000\n" + random.program() +
                      u"1000 Z=Z+ERR: IF Z<50 THEN RESUME NEXT");
        if (::testing::Test::HasFailure()) return;
    }
}

// A compiled jump keeps the slot it found only while the line chain stays.
TEST(CompiledStatement, JumpTargetsFollowAChangedProgram) {
    ProgramRun r(u"10 GOTO 30\n20 X=1\n30 Y=1");
    EXPECT_EQ(r.num(u"Y!"), 1);
    r.run(u"10 GOTO 30\n25 X=2\n30 Y=2\n40 Z=1");
    EXPECT_EQ(r.num(u"X!"), 0);
    EXPECT_EQ(r.num(u"Y!"), 2);
    EXPECT_EQ(r.num(u"Z!"), 1);

    // The same text in the same slot, while the lines around it changed.
    Interpreter& in = *r.in;
    const int first = in.statements.firstStatement;
    const int target = in.statements[first].next; // line 25
    in.statements[first].next = in.statements[target].next;
    in.statements.chainChanged();
    in.variables.clearVariables();
    in.runLoop(first);
    EXPECT_EQ(r.num(u"Y!"), 2);
}

TEST(CompiledStatement, ANewRunForgetsTheVariablesOfTheOldOne) {
    ProgramRun r(u"10 FOR I=1 TO 3: A=A+I: NEXT");
    EXPECT_EQ(r.num(u"A!"), 6);
    r.run(u"10 FOR I=1 TO 3: A=A+I: NEXT");
    EXPECT_EQ(r.num(u"A!"), 6);
}

} // namespace
} // namespace korvelin::testing
