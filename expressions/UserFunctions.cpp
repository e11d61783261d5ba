// The calls of user functions. A function is a record in the variable
// store (DEF FN, values/statements/DeclarationStatements.cpp, writes it):
// its body text, its parameter count and the value-pool slots of its
// parameters, which are ordinary global variables saved and restored
// around each call.

#include "expressions/Evaluator.h"
#include "interpreter/Interpreter.h"
#include "values/Cp932.h"
#include "values/InterpreterError.h"
#include "values/StackGuard.h"

namespace korvelin {

UserFunctionCall::UserFunctionCall(Interpreter& in, int nameId) : in_(in) {
    // The dialect's limit, or the stack actually left when that is less.
    if (in.userFunctionDepth >= MaxUserFunctionDepth) failHost(HostFailureKind::Other);
    checkStackLeft();
    VariableStore& store = in.variables;
    store.subscriptRegister = {0, -1, -1, -1, -1};
    record_ = store.lookupVariable(nameId, LookupMode::Reference);
    parameterCount_ = store[record_ + 1].rawInteger();
    // DEF FN takes at most MaxFunctionParameters, so no record has more.
    if (parameterCount_ < 0 || parameterCount_ > MaxFunctionParameters) failHost(HostFailureKind::Other);
    for (int j = 1; j <= parameterCount_; ++j)
        saved_[static_cast<std::size_t>(j - 1)] = store[store[record_ + 1 + j].rawLong()];
    ++in.userFunctionDepth; // last, so a failing constructor leaves the count alone
}

UserFunctionCall::~UserFunctionCall() {
    --in_.userFunctionDepth;
}

void UserFunctionCall::passArgument(int count, Value argument) {
    if (count > parameterCount_) raise(ErrSyntax);
    VariableStore& store = in_.variables;
    store[store[record_ + 1 + count].rawLong()] = std::move(argument);
}

const ScanText* UserFunctionCall::bodyText() const {
    return in_.functionBodyText(in_.variables[record_]);
}

void UserFunctionCall::restoreParameters() {
    VariableStore& store = in_.variables;
    for (int j = 1; j <= parameterCount_; ++j)
        store[store[record_ + 1 + j].rawLong()] = std::move(saved_[static_cast<std::size_t>(j - 1)]);
}

Value callUserFunction(Interpreter& in) {
    Lexer& lexer = in.lexer;
    UserFunctionCall call(in, lexer.wordId);
    lexer.nextToken();
    if (lexer.isSymbol(u'(')) {
        int count = 0;
        do {
            ++count;
            lexer.nextToken();
            call.passArgument(count, evaluateExpression(in));
        } while (lexer.isSymbol(u','));
        if (!lexer.isSymbol(u')') || count != call.parameterCount()) raise(ErrSyntax);
        lexer.nextToken();
    }

    // The body is scanned with the lexer of the calling statement, whose
    // state comes back afterwards.
    Lexer::Mark caller = lexer.mark();
    lexer.scanData = false;
    lexer.start(call.bodyText());
    Value result = evaluateExpression(in);
    lexer.returnTo(std::move(caller));

    call.restoreParameters();
    return result;
}

} // namespace korvelin
