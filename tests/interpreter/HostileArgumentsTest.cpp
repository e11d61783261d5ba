// Every statement and function, given arguments that are NaN-producing,
// huge, negative or just outside a range, ends with an interpreter error
// or a defined result: no crash, no hang, no infinite or NaN number left
// in a variable, and the run goes on after each error.

#include "support/RunComparison.h"
#include "support/RunProgram.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>

namespace korvelin::testing {
namespace {

// "X" stands for the argument. Statements and functions of every family
// are listed, those not built yet too: they must meet the same rule.
constexpr const char16_t* Forms[] = {
    // numeric functions
    u"A=SIN(X)+COS(X)+ATN(X)",
    u"A=TAN(X)",
    u"A=SQR(X)",
    u"A=LOG(X)",
    u"A=EXP(X)",
    u"A=INT(X)",
    u"A=FIX(X)",
    u"A=ABS(X)",
    u"A=SGN(X)",
    u"A=CINT(X)",
    u"A=CSNG(X)",
    u"A=CDBL(X)",
    u"A=RND(X)",
    u"A=X^X",
    u"A=X\\X",
    u"A=X MOD X",
    u"A=X AND X",
    u"A=NOT X",
    u"A%=X",
    u"A=-X",
    u"A=X*X",
    u"A=X/X",
    u"A=X+X-X",
    // string functions
    u"A$=CHR$(X)",
    u"A$=STR$(X)",
    u"A$=HEX$(X)",
    u"A$=OCT$(X)",
    u"A$=SPACE$(X)",
    u"PRINT SPC(X)",
    u"PRINT TAB(X);\"T\"",
    u"A$=STRING$(X,X)",
    u"A$=STRING$(X,\"AB\")",
    u"A$=LEFT$(S$,X)",
    u"A$=RIGHT$(S$,X)",
    u"A$=MID$(S$,X)",
    u"A$=MID$(S$,1,X)",
    u"A$=KMID$(S$,X,X)",
    u"A=INSTR(X,S$,\"B\")",
    u"A=KINSTR(X,S$,\"B\")",
    u"A=LEN(X)",
    u"A$=ENVIRON$(X)",
    u"A$=MKI$(X)",
    u"A$=MKL$(X)",
    u"A$=MKS$(X)",
    u"A$=MKD$(X)",
    u"A=VAL(STR$(X))",
    u"A$=INPUT$(X)",
    u"A$=INPUT$(1,#X)",
    // screen, keyboard and mouse readers
    u"A=POINT(X,X)",
    u"A=POINT(X)",
    u"A=POS(X)",
    u"A=MOUSE(X)",
    u"A=MOUSE(4,X)",
    u"A=EOF(X)",
    u"A=LOC(X)",
    u"A=LOF(X)",
    // statements
    u"PRINT X",
    u"PRINT USING \"##.##^^^^\";X",
    u"PRINT USING \"+#,###.#\";X",
    u"WRITE X",
    u"LOCATE X,X",
    u"COLOR X,X,X,X,X",
    u"CONSOLE X,X",
    u"CLS X",
    u"WIDTH X,X",
    u"WIDTH 80,X",
    u"MID$(S$,X,X)=\"Z\"",
    u"MID$(S$,1,X)=\"Z\"",
    u"RANDOMIZE X",
    u"KEY X,\"A\"",
    u"KEY(X) ON",
    u"ON X GOSUB 8000",
    u"ON X GOTO 8000",
    u"MOUSE(X) ON",
    u"ERROR X",
    u"WAIT X,X",
    u"SWAP A,X",
    u"A(X)=1",
    u"A=A(X)",
    u"Q(X,X)=1",
    // graphics, files, sound and printer
    u"PSET (X,X)",
    u"PRESET (X,X),X",
    u"LINE (X,X)-(X,X),X,BF",
    u"CIRCLE (X,X),X,X,X,X,X",
    u"PAINT (X,X),X,X",
    u"SCREEN X,X,X,X",
    u"COLOR@(X,X)-(X,X),X",
    u"GET (X,X)-(X,X),Q",
    u"PUT (X,X),Q",
    u"ROLL X,X",
    u"CLOSE #X",
    u"GET #X,X",
    u"PUT #X,X",
    u"FIELD #X,X AS F$",
    u"BEEP X",
    u"LPRINT X",
    u"WIDTH LPRINT X",
    u"COPY X",
    // last: an array this large may take the pool
    u"DIM B(X)",
    u"DIM C(X,X,X)",
};

constexpr const char16_t* Arguments[] = {
    u"SQR(-1)", u"LOG(0)", u"1E308*10",   u"0/0",         u"1E308",  u"-1E308",
    u"1E-308",  u"-1",     u"0",          u"0.5",         u"-0.5",   u"32768",
    u"-32769",  u"65536",  u"2147483648", u"-2147483649", u"4.5E15", u"\"1E400\"",
};

std::u16string withArgument(std::u16string form, std::u16string_view argument) {
    const std::u16string replacement = u"(" + std::u16string(argument) + u")";
    for (std::size_t at = form.find(u'X'); at != std::u16string::npos; at = form.find(u'X', at)) {
        form.replace(at, 1, replacement);
        at += replacement.size();
    }
    return form;
}

TEST(HostileArguments, EveryStatementAndFunctionFailsCleanlyOrGivesAResult) {
    for (const char16_t* argument : Arguments) {
        std::u16string program = u"1 ON ERROR GOTO 9000: S$=\"ABCDE\": DIM Q(3,3)\n";
        int line = 10;
        for (const char16_t* form : Forms) {
            for (char c : std::to_string(line))
                program += static_cast<char16_t>(c);
            program += u" " + withArgument(form, argument) + u"\n";
            line += 10;
        }
        program += u"7999 END\n8000 RETURN\n9000 N=N+1: IF ERR>M THEN M=ERR\n9010 RESUME NEXT";

        ProgramRun r;
        bool hung = false;
        long passes = 0;
        r.host.onEvents = [&] {
            // Keys keep coming, so INPUT$(32768) ends its wait.
            std::u16string& keys = r.in->keyboard.keyBuffer;
            if (keys.size() < 70000) keys.append(4096, u'k');
            if (++passes > 100000) {
                hung = true;
                r.in->events.pendingEvent = EventEndRequest;
            }
        };
        const auto start = std::chrono::steady_clock::now();
        r.run(program);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

        const std::string name = narrow(argument);
        EXPECT_FALSE(hung) << name;
        EXPECT_FALSE(r.failed()) << name << ": " << narrow(r.lastError());
        EXPECT_LE(r.num(u"M!"), 75) << name;
        EXPECT_GE(r.num(u"N!"), 1) << name; // the handler ran and came back
        // SQR(-1) fails in every statement but those accepted and ignored
        // (ERROR, WAIT, COLOR@), each one separately.
        if (name == "SQR(-1)") {
            EXPECT_GE(r.num(u"N!"), std::size(Forms) - 3) << name;
        }
        EXPECT_LT(seconds, 10.0) << name;
        for (std::int32_t slot = 0; slot < r.in->variables.nextFreeSlot && slot < VariableSpace; ++slot) {
            const Value& v = r.in->variables[slot];
            if (v.kind() == ValueKind::Double || v.kind() == ValueKind::Single) {
                EXPECT_TRUE(std::isfinite(v.toDouble())) << name << ": slot " << slot;
            }
        }
    }
}

} // namespace
} // namespace korvelin::testing
