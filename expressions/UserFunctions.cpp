// DEF FN and the calls of user functions. A function is a record in the
// variable store: its body text, its parameter count and the value-pool
// slots of its parameters, which are ordinary global variables saved and
// restored around each call.

#include "interpreter/Interpreter.h"
#include "values/Cp932.h"
#include "expressions/Evaluator.h"
#include "values/InterpreterError.h"

#include <vector>

namespace korvelin {

namespace {
bool beginsWithFn(const std::u16string& word) {
    return word.size() >= 2 && word[0] == u'F' && word[1] == u'N';
}
} // namespace

UserFunctionCall::UserFunctionCall(Interpreter& in, int nameId) : in_(in) {
    if (in.userFunctionDepth >= MaxUserFunctionDepth) failHost(HostFailureKind::Other);
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

namespace {

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

} // namespace

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

} // namespace korvelin
