// Assignment, READ/DATA/RESTORE, SWAP, RANDOMIZE, DATE$ =, TIME$ =, the
// MID$ statement, REM, and the statements that are accepted and ignored.

#include "expressions/Evaluator.h"
#include "interpreter/statements/Statements.h"
#include "values/Cp932.h"
#include "values/InterpreterError.h"
#include "values/ValueOps.h"

#include <QDateTime>

namespace korvelin {

namespace {

bool endsWith(const std::u16string& name, char16_t suffix) {
    return !name.empty() && name.back() == suffix;
}

void assign(Interpreter& in, StatementArgs& args) {
    const int name = in.parseVariableTarget();
    in.expectSymbol(u'=');
    const std::int32_t slot = in.lookupTarget(name);
    in.lexer.nextToken();
    Value value = evaluateExpression(in);
    // Only assignment rounds for "%" targets, and halves go up: 2.5 -> 3, -2.5 -> -2.
    if (in.words.hasSuffix(name) && in.words.text(name).back() == u'%') value = roundForIntegerTarget(value);
    in.variables[slot] = std::move(value);
    in.watchCheck();
    in.checkStatementEnd(args);
}

void executeLet(Interpreter& in, StatementArgs& args) {
    in.lexer.nextToken();
    assign(in, args);
}

void executeData(Interpreter& in, StatementArgs& args) {
    in.skipToStatementEnd();
    in.checkStatementEnd(args);
}

// Reads one DATA item into the value-pool slot of a variable. The lexer
// scans the DATA statement as its second source, so the READ statement
// keeps its own position.
void readDataItem(Interpreter& in, std::int32_t slot, bool stringTarget) {
    Lexer& lexer = in.lexer;
    if (in.dataIndex >= in.data.dataTotal) raise(ErrOutOfData);
    lexer.scanData = true;
    if (lexer.dataPosition != 0) {
        lexer.dataPosition -= 1;
        lexer.nextChar();
    } else {
        const int dataSlot = in.data.statementSlots[static_cast<std::size_t>(in.dataIndex)];
        lexer.dataText = &in.statements[dataSlot].text;
        lexer.dataPosition = 0;
        lexer.nextChar();
        lexer.nextToken(); // the word DATA
    }
    if (stringTarget) {
        while (lexer.currentChar == u' ')
            lexer.nextChar();
        char16_t terminator = u',';
        if (lexer.currentChar == u'"') {
            terminator = u'"';
            lexer.nextChar();
        }
        std::u16string item;
        while (lexer.currentChar != terminator && lexer.currentChar != EndOfText) {
            item.push_back(static_cast<char16_t>(lexer.currentChar));
            lexer.nextChar();
        }
        if (lexer.currentChar == u'"') lexer.nextChar();
        while (!item.empty() && item.back() == u' ')
            item.pop_back();
        in.variables[slot] = Value::text(item);
        lexer.nextToken();
    } else {
        lexer.nextToken();
        const bool number = lexer.tokenKind == TokenConstant && !lexer.tokenValue.isString();
        if (number || lexer.isSymbol(u'+') || lexer.isSymbol(u'-'))
            in.variables[slot] = evaluateSum(in);
        else if (lexer.tokenKind == TokenEnd)
            in.variables[slot] = Value::integer(0);
        else
            raise(ErrSyntax);
    }
    if (lexer.tokenKind == TokenEnd || lexer.isSymbol(u'\'')) {
        ++in.dataIndex;
        lexer.dataPosition = 0;
    } else if (!lexer.isSymbol(u',')) {
        raise(ErrSyntax);
    }
    lexer.scanData = false;
}

void executeRead(Interpreter& in, StatementArgs& args) {
    Lexer& lexer = in.lexer;
    for (;;) {
        lexer.nextToken();
        const int name = in.parseVariableTarget();
        const std::int32_t slot = in.lookupTarget(name);
        const TokenKind keptKind = lexer.tokenKind;
        const char16_t keptSymbol = lexer.symbol;
        const int keptWord = lexer.wordId;
        const Value keptValue = lexer.tokenValue;

        readDataItem(in, slot, endsWith(in.words.text(name), u'$'));

        lexer.tokenKind = keptKind;
        lexer.symbol = keptSymbol;
        lexer.wordId = keptWord;
        lexer.tokenValue = keptValue;
        lexer.position -= 1;
        lexer.nextChar();
        if (!lexer.isSymbol(u',')) break;
    }
    in.watchCheck();
    in.checkStatementEnd(args);
}

void executeRestore(Interpreter& in, StatementArgs& args) {
    Lexer& lexer = in.lexer;
    in.currentStatement = u"";
    lexer.nextToken();
    if (lexer.atStatementEnd()) {
        in.dataIndex = 0;
    } else {
        // Find the target as a jump would, without jumping.
        int target = args.slot;
        int jumped = 0;
        StatementArgs probe{target, args.next, jumped};
        in.jumpToTarget(probe);
        const std::int32_t key = in.statements[target].key;
        int index = 0;
        while (index < in.data.dataTotal &&
               in.statements[in.data.statementSlots[static_cast<std::size_t>(index)]].key < key)
            ++index;
        in.dataIndex = index;
    }
    lexer.dataPosition = 0;
    in.checkStatementEnd(args);
}

void executeSwap(Interpreter& in, StatementArgs& args) {
    Lexer& lexer = in.lexer;
    lexer.nextToken();
    const int first = in.parseVariableTarget();
    in.expectSymbol(u',');
    const std::int32_t a = in.lookupTarget(first);
    lexer.nextToken();
    const std::int32_t b = in.lookupTarget(in.parseVariableTarget());
    std::swap(in.variables[a], in.variables[b]);
    in.watchCheck();
    in.checkStatementEnd(args);
}

void executeRandomize(Interpreter& in, StatementArgs& args) {
    in.lexer.nextToken();
    if (in.lexer.atStatementEnd())
        in.random.reseed(static_cast<double>(QDateTime::currentMSecsSinceEpoch() % 86400000) / 1000.0);
    else
        in.random.reseed(evaluateExpression(in).toDouble());
    in.checkStatementEnd(args);
}

void executeDateOrTime(Interpreter& in, StatementArgs& args) {
    const bool isDate = in.lexer.isWord(KwDateS);
    in.lexer.nextToken();
    in.expectSymbol(u'=');
    in.lexer.nextToken();
    const std::u16string text = cp932::decode(evaluateExpression(in).toTextBytes());
    if (isDate)
        in.clock.setDate(text);
    else
        in.clock.setTime(text);
    in.checkStatementEnd(args);
}

// MID$(target$, start [, length]) = text: overwrites bytes in place; the
// length of the target never changes.
void executeMidStatement(Interpreter& in, StatementArgs& args) {
    Lexer& lexer = in.lexer;
    lexer.nextToken();
    in.expectSymbol(u'(');
    lexer.nextToken();
    const int name = in.parseVariableTarget();
    if (!endsWith(in.words.text(name), u'$')) raise(ErrSyntax);
    const std::int32_t slot = in.lookupTarget(name);
    const std::string old = in.variables[slot].toTextBytes();
    in.expectSymbol(u',');
    lexer.nextToken();
    const std::int32_t start = toLongRounded(evaluateExpression(in));
    if (!lexer.isSymbol(u',') && !lexer.isSymbol(u')')) raise(ErrSyntax);
    std::int32_t length = in.optionalInteger(-1);
    in.expectSymbol(u')');
    lexer.nextToken();
    in.expectSymbol(u'=');
    lexer.nextToken();
    const std::string replacement = evaluateExpression(in).toTextBytes();

    const std::int32_t oldLength = static_cast<std::int32_t>(old.size());
    // A start just past the end overwrites nothing; further out is an error.
    if (start < 1 || start > oldLength + 1 || length < -1) failHost(HostFailureKind::InvalidArgument);
    if (length == -1 || length > static_cast<std::int32_t>(replacement.size()))
        length = static_cast<std::int32_t>(replacement.size());
    if (start + length - 1 > oldLength) length = oldLength - start + 1;
    std::string result = old;
    result.replace(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(length), replacement, 0,
                   static_cast<std::size_t>(length));
    in.variables[slot] = Value::bytes(std::move(result));
    in.checkStatementEnd(args);
}

void executeRem(Interpreter& in, StatementArgs& args) {
    in.checkStatementEnd(args);
}

void executeIgnored(Interpreter& in, StatementArgs& args) {
    in.skipToStatementEnd();
    in.checkStatementEnd(args);
}

} // namespace

void executeAssignment(Interpreter& in, StatementArgs& args) {
    assign(in, args);
}

void registerMiscellaneousStatements(std::array<StatementHandler, KeywordCount>& table) {
    table[KwLet] = executeLet;
    table[KwData] = executeData;
    table[KwRead] = executeRead;
    table[KwRestore] = executeRestore;
    table[KwSwap] = executeSwap;
    table[KwRandomize] = executeRandomize;
    table[KwDateS] = executeDateOrTime;
    table[KwTimeS] = executeDateOrTime;
    table[KwMidS] = executeMidStatement;
    table[KwRem] = executeRem;
    for (Keyword k : {KwCall, KwClear, KwCommon, KwDraw, KwErase, KwError, KwKinput, KwKpload, KwOption,
                      KwOut, KwPen, KwPoke, KwSet, KwTerm, KwTron, KwTroff, KwView, KwWait, KwWindow}) {
        table[k] = executeIgnored;
    }
}

} // namespace korvelin
