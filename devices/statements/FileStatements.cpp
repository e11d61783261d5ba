// OPEN and CLOSE: file numbers taken and given back.

#include "devices/statements/FileNumbers.h"
#include "expressions/Evaluator.h"
#include "interpreter/statements/Statements.h"

namespace korvelin {

std::u16string readNameArgument(Interpreter& in) {
    const Value v = evaluateExpression(in);
    if (!v.isString()) raise(ErrTypeMismatch);
    return v.unicodeText();
}

namespace {

// OPEN file FOR INPUT|OUTPUT|APPEND AS [#]n, or OPEN file AS [#]n (random).
void executeOpen(Interpreter& in, StatementArgs& args) {
    Lexer& lexer = in.lexer;
    lexer.nextToken();
    const Value file = evaluateExpression(in);
    if (!file.isString()) raise(ErrSyntax);
    const std::u16string name = upperCased(file.unicodeText());

    FileMode mode = FileMode::Random;
    if (lexer.isWord(KwFor)) {
        lexer.nextToken();
        const std::u16string word = lexer.tokenKind == TokenWord ? in.words.text(lexer.wordId) : u"";
        if (word == u"INPUT")
            mode = FileMode::Input;
        else if (word == u"OUTPUT")
            mode = FileMode::Output;
        else if (word == u"APPEND")
            mode = FileMode::Append;
        else
            raise(ErrSyntax);
        lexer.nextToken();
    }
    in.expectWord(KwAs);
    lexer.nextToken();
    if (lexer.tokenKind == TokenSymbol) {
        in.expectSymbol(u'#');
        lexer.nextToken();
    }
    const std::int32_t number = readFileNumberToken(in);
    if (number < 1 || number > 9) raise(ErrBadFileNumber);
    if (in.files.entry(number).isOpen()) raise(ErrFileAlreadyOpen);
    in.files.open(number, name, mode, in.paths);
    // Nothing after the file number belongs to OPEN.
    in.skipToStatementEnd();
    in.checkStatementEnd(args);
}

// CLOSE, or CLOSE [#]n [, #n]...
void executeClose(Interpreter& in, StatementArgs& args) {
    Lexer& lexer = in.lexer;
    lexer.nextToken();
    if (lexer.atStatementEnd()) {
        in.files.closeAll();
        in.checkStatementEnd(args);
        return;
    }
    if (lexer.tokenKind == TokenSymbol) {
        in.expectSymbol(u'#');
        lexer.nextToken();
    }
    for (;;) {
        in.files.close(readFileNumberToken(in));
        if (!lexer.isSymbol(u',')) break;
        lexer.nextToken();
        in.expectSymbol(u'#'); // after a comma the "#" is not optional
        lexer.nextToken();
    }
    in.checkStatementEnd(args);
}

} // namespace

void registerFileStatements(std::array<StatementHandler, KeywordCount>& table) {
    table[KwOpen] = executeOpen;
    table[KwClose] = executeClose;
}

} // namespace korvelin
