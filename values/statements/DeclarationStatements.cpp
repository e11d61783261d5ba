// DIM, DEFINT/DEFSNG/DEFDBL/DEFSTR and DEF FN.

#include "interpreter/statements/Statements.h"
#include "expressions/Evaluator.h"
#include "values/InterpreterError.h"

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
