// Programs found by fuzzing that crashed, hung or wrote wild memory. Each
// must now end with an interpreter error or a defined result, quickly.
// The handler keeps the first error and goes on, so a case also shows
// that the statements after a failure still work.

#include "support/RunComparison.h"
#include "support/RunProgram.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <pthread.h>

namespace korvelin::testing {
namespace {

constexpr std::u16string_view Handler = u"\n8999 END\n9000 IF E=0 THEN E=ERR: L=ERL\n9010 RESUME NEXT";

// Runs a program with the error handler; a run that has not ended after
// many statements is stopped as the end button would, and counts as hung.
struct GuardedRun {
    ProgramRun r;
    bool hung = false;
    double seconds = 0;
    explicit GuardedRun(std::u16string_view body) {
        long passes = 0;
        r.host.onEvents = [&] {
            if (++passes > 200000) {
                hung = true;
                r.in->events.pendingEvent = EventEndRequest;
            }
        };
        const auto start = std::chrono::steady_clock::now();
        r.run(u"1 ON ERROR GOTO 9000\n" + std::u16string(body) + std::u16string(Handler));
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
};

struct Case {
    const char16_t* program;
    int error; // the first error, 0 for none
    int line;  // its line
};

TEST(Reliability, EveryFuzzedProgramEndsWithAnErrorOrAResult) {
    const Case cases[] = {
        // No infinite number gets in: constants, DATA, VAL, record images.
        {u"10 A=1E309\n20 Z=1", 21, 10},
        {u"10 A=1E+99999\n20 Z=1", 21, 10},
        {u"10 READ A\n20 Z=1\n30 DATA 1E999", 21, 10},
        {u"10 A=VAL(\"1E999\")\n20 Z=1", 21, 10},
        {u"10 A=CVD(STRING$(8,255))\n20 Z=1", 21, 10},
        {u"10 A=CVS(CHR$(0)+CHR$(0)+CHR$(128)+CHR$(127))\n20 Z=1", 21, 10},
        {u"10 A=0E999: B=1E-999\n20 Z=1", 0, 0},
        // Huge, NaN-free arguments to conversions.
        {u"10 A$=TAB(1E300)\n20 Z=1", 5, 10},
        {u"10 PRINT USING \"###.##\";1E300\n20 Z=1", 0, 0},
        {u"10 LOCATE 1E10\n20 Z=1", 21, 10},
        {u"10 COLOR 1E10\n20 Z=1", 21, 10},
        {u"10 WIDTH 1E10,25\n20 Z=1", 21, 10},
        {u"10 CONSOLE 0,1E10\n20 Z=1", 21, 10},
        {u"10 A$=\"ABC\": MID$(A$,1E10)=\"X\"\n20 Z=1", 21, 10},
        {u"10 A$=\"ABC\": MID$(A$,1,1E10)=\"X\"\n20 Z=1", 21, 10},
        {u"10 A$=MID$(\"ABC\",1,1E10)\n20 Z=1", 21, 10},
        {u"10 A=POINT(1E300,1E300)\n20 Z=1", 21, 10},
        {u"10 A=POINT(-5,-5): IF A<>-1 THEN E=99\n20 Z=1", 0, 0},
        // A FOR whose header fails leaves no loop for NEXT to run.
        {u"10 FOR 1=1 TO 2\n20 NEXT\n30 Z=1", 1, 10},
        {u"10 FOR A(20)=1 TO 3\n20 NEXT\n30 Z=1", 9, 10},
        {u"10 FOR I=1 TO \"X\"\n20 NEXT\n30 Z=1", 13, 10},
        // A DIM that ran out of pool space: its elements never exist.
        // (E, L, Z and B exist before: no variable can be created after it.)
        {u"5 E=0: L=0: Z=0: B=0\n10 DIM A(65535,65535)\n20 A(40000,40000)=1\n30 B=A(65535,65535)\n40 Z=1", 6,
         10},
        // Strings stop at their cap instead of taking gigabytes.
        {u"10 A$=\"A\"\n20 A$=A$+A$: IF E=0 THEN 20\n30 Z=1", 21, 20},
        {u"10 PRINT SPACE$(2147483647)\n20 Z=1", 21, 10},
        {u"10 A$=STRING$(2147483647,65)\n20 Z=1", 21, 10},
        {u"10 A$=INPUT$(2000000000)\n20 Z=1", 21, 10},
        {u"10 A$=SPACE$(4194304): B$=A$+\"X\"\n20 Z=1", 21, 10},
        // Full-width text wrapping, and long text written in one go.
        {u"10 PRINT \"A\";STRING$(300,\"漢\")\n20 PRINT SPACE$(4000000);\"B\"\n30 Z=1", 0, 0},
    };
    for (const Case& c : cases) {
        GuardedRun g(c.program);
        const std::string name = narrow(c.program);
        EXPECT_FALSE(g.hung) << name;
        EXPECT_FALSE(g.r.failed()) << name << ": " << narrow(g.r.lastError());
        EXPECT_EQ(g.r.num(u"E!"), c.error) << name;
        EXPECT_EQ(g.r.num(u"L!"), c.line) << name;
        EXPECT_EQ(g.r.num(u"Z!"), 1) << name << " did not go on after the error";
        EXPECT_LT(g.seconds, 3.0) << name;
    }
}

TEST(Reliability, NoVariableHoldsAnInfiniteOrNaNNumber) {
    GuardedRun g(u"10 A=1E309: B=CVD(MKD$(1)): C=VAL(\"1E400\"): D=1E308*10: F=EXP(1000)\n20 Z=1");
    for (const char16_t* name : {u"A!", u"B!", u"C!", u"D!", u"F!"})
        EXPECT_TRUE(std::isfinite(g.r.num(name))) << narrow(name);
    EXPECT_EQ(g.r.num(u"B!"), 1);
}

TEST(Reliability, StringCapKeepsTheLongestStringAllowed) {
    GuardedRun g(u"10 A$=\"A\"\n20 A$=A$+A$: IF E=0 THEN 20\n30 N=LEN(A$)");
    EXPECT_EQ(g.r.num(u"N!"), 4194304);
}

TEST(Reliability, StatementKeysOfTheLargestLineNumbersDoNotOverflow) {
    std::u16string line = u"21474836 A=1";
    for (int i = 0; i < 60; ++i)
        line += u":";
    ProgramRun r(line);
    EXPECT_EQ(r.lastError(), u"文法エラーです。");
    ProgramRun fits(u"21474836 A=1:B=2:C=3");
    EXPECT_FALSE(fits.failed());
    EXPECT_EQ(fits.num(u"C!"), 3);
}

// A program run on a thread whose stack is small, as in sanitizer builds
// and worker threads: recursion ends with error 21 before the stack does.
void* runDeepRecursion(void* result) {
    ProgramRun r(u"10 ON ERROR GOTO 100\n"
                 u"20 DEF FNF(X)=((((((((((((((((((((FNF(X)+1))))))))))))))))))))\n"
                 u"30 A=FNF(1)\n40 END\n100 E=ERR: RESUME NEXT");
    *static_cast<double*>(result) = r.num(u"E!");
    return nullptr;
}

TEST(Reliability, FunctionRecursionStopsWithinTheStackLeft) {
    for (std::size_t stack : {std::size_t{768} * 1024, std::size_t{2} * 1024 * 1024}) {
        pthread_attr_t attributes;
        pthread_attr_init(&attributes);
        pthread_attr_setstacksize(&attributes, stack);
        double error = 0;
        pthread_t thread;
        ASSERT_EQ(pthread_create(&thread, &attributes, runDeepRecursion, &error), 0);
        pthread_join(thread, nullptr);
        pthread_attr_destroy(&attributes);
        EXPECT_EQ(error, 21) << stack;
    }
}

} // namespace
} // namespace korvelin::testing
