// DIM, DEFINT/DEFSNG/DEFDBL/DEFSTR and DEF FN.

#include "expressions/Evaluator.h"
#include "interpreter/statements/Statements.h"
#include "values/InterpreterError.h"

#include <vector>

namespace korvelin {

namespace {

void executeDim(Interpreter& in, StatementArgs& args) {
    do {
        in.lexer.nextToken();
        const int name = in.parseVariableTarget();
        in.variables.lookupVariable(name, LookupMode::Declare);
    } while (in.lexer.isSymbol(u','));
    in.checkStatementEnd(args);
}

// The letter a DEF statement names: only the first character of the token counts.
char16_t rangeLetter(Interpreter& in) {
    const std::u16string text = in.lexer.tokenText();
    if (text.empty()) raise(ErrSyntax);
    const char16_t c = text[0];
    if (c >= u'A' && c <= u'Z') return c;
    if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 32);
    raise(ErrSyntax);
}

void executeDefType(Interpreter& in, StatementArgs& args) {
    Lexer& lexer = in.lexer;
    char16_t suffix = u'!';
    switch (lexer.wordId) {
    case KwDefint: suffix = u'%'; break;
    case KwDefdbl: suffix = u'#'; break;
    case KwDefstr: suffix = u'$'; break;
    default: break;
    }
    do {
        lexer.nextToken();
        const char16_t first = rangeLetter(in);
        char16_t last = first;
        lexer.nextToken();
        if (lexer.isSymbol(u'-')) {
            lexer.nextToken();
            last = rangeLetter(in);
            lexer.nextToken();
        } else if (!lexer.isSymbol(u',') && !lexer.atStatementEnd()) {
            raise(ErrSyntax);
        }
        if (first > last) raise(ErrSyntax);
        for (char16_t c = first; c <= last; ++c)
            in.variables.defTypeTable[static_cast<std::size_t>(c - u'A')] = suffix;
    } while (lexer.isSymbol(u','));
    in.checkStatementEnd(args);
}

bool beginsWithFn(const std::u16string& word) {
    return word.size() >= 2 && word[0] == u'F' && word[1] == u'N';
}

// The record of a function defined before with room for n parameters, or
// -1. The classic dialect lets DEF FN run again (in a loop, or after a
// GOTO back) and redefine its function in place.
std::int32_t definedFunctionRecord(Interpreter& in, int nameId, int n) {
    const int entry = in.variables.arrayEntry(nameId);
    if (entry < 0) return -1;
    const VariableEntry& e = in.variables.variableTable[static_cast<std::size_t>(entry)];
    if (e.bound[1] != -1 || e.bound[0] < n + 1) return -1;
    return e.base;
}

// DEF FN name [(parameters)] = expression: the function's record in the
// variable store, which FN calls (expressions/UserFunctions.cpp) read.
void executeDefFn(Interpreter& in, StatementArgs& args) {
    Lexer& lexer = in.lexer;
    lexer.nextToken();
    if (lexer.tokenKind != TokenWord || !beginsWithFn(in.words.text(lexer.wordId))) {
        // DEF SEG, DEF USR and the like have no effect.
        in.skipToStatementEnd();
        in.checkStatementEnd(args);
        return;
    }
    const int nameId = lexer.wordId; // as written: no default type is applied
    lexer.nextToken();

    std::vector<std::int32_t> parameters;
    if (lexer.isSymbol(u'(')) {
        do {
            lexer.nextToken();
            const int parameter = in.parseVariableTarget();
            const std::int32_t slot = in.lookupTarget(parameter);
            if (static_cast<int>(parameters.size()) == MaxFunctionParameters)
                failHost(HostFailureKind::Other);
            parameters.push_back(slot);
        } while (lexer.isSymbol(u','));
        in.expectSymbol(u')');
        lexer.nextToken();
    }
    in.expectSymbol(u'=');

    // The body runs from the character after "=" to the end of the last
    // token before the end of the statement (ELSE does not end it).
    const std::u16string& text = lexer.currentText();
    const int bodyStart = lexer.position - 1;
    int bodyEnd = bodyStart;
    for (;;) {
        lexer.nextToken();
        if (lexer.tokenKind == TokenEnd || lexer.isSymbol(u':') || lexer.isSymbol(u'\'')) break;
        bodyEnd = lexer.position - 1;
    }
    const std::u16string body = text.substr(static_cast<std::size_t>(bodyStart),
                                            static_cast<std::size_t>(std::max(0, bodyEnd - bodyStart)));

    const int n = static_cast<int>(parameters.size());
    std::int32_t record = in.classicDialect ? definedFunctionRecord(in, nameId, n) : -1;
    if (record < 0) {
        in.variables.subscriptRegister = {n + 1, -1, -1, -1, -1};
        record = in.variables.lookupVariable(nameId, LookupMode::Declare);
    }
    in.variables[record] = Value::text(body);
    in.variables[record + 1] = Value::integer(static_cast<std::int16_t>(n));
    for (int j = 0; j < n; ++j)
        in.variables[record + 2 + j] = Value::longInt(parameters[static_cast<std::size_t>(j)]);
    in.checkStatementEnd(args);
}

} // namespace

void registerDeclarationStatements(std::array<StatementHandler, KeywordCount>& table) {
    table[KwDim] = executeDim;
    table[KwDefint] = executeDefType;
    table[KwDefsng] = executeDefType;
    table[KwDefdbl] = executeDefType;
    table[KwDefstr] = executeDefType;
    table[KwDef] = executeDefFn;
}

} // namespace korvelin
