// executeStatement: the common start of every statement, dispatch on its
// first word, and the one place where errors thrown inside a statement
// become raiseError.

#include "interpreter/run/CompiledStatement.h"
#include "interpreter/statements/Statements.h"
#include "values/InterpreterError.h"

#include <new>

namespace korvelin {

namespace {

bool isLoopKeyword(const Lexer& lexer) {
    return lexer.tokenKind == TokenWord && (lexer.wordId == KwFor || lexer.wordId == KwNext ||
                                            lexer.wordId == KwWhile || lexer.wordId == KwWend);
}

} // namespace

void Interpreter::executeStatement(int& slot, int& next, int& jumped) {
    const StatementSlot& s = statements[slot];
    if (s.key <= statements.highestKey) host.showLineNumber(s.key / 100);
    StatementArgs args{slot, next, jumped};
    try {
        // A statement started by the run loop may have a compiled form.
        if (lexer.position == 0 && lexer.source == &s.text && runCompiledStatement(*this, args)) return;
        startPosition = lexer.position;
        lexer.nextChar();
        lexer.nextToken();
        if (loops.skipping() && !isLoopKeyword(lexer)) {
            // Inside the body of a loop that runs zero times.
            skipToStatementEnd();
            return;
        }
        switch (lexer.tokenKind) {
        case TokenWord: {
            const int word = lexer.wordId;
            StatementHandler handler =
                word < KeywordCount ? handlers_[static_cast<std::size_t>(word)] : nullptr;
            if (handler)
                handler(*this, args);
            else
                executeAssignment(*this, args);
            return;
        }
        case TokenEnd: checkStatementEnd(args); return;
        case TokenSymbol:
            if (lexer.symbol == u'?') {
                handlers_[KwPrint](*this, args);
                return;
            }
            if (lexer.symbol == u'\'') {
                checkStatementEnd(args);
                return;
            }
            if (lexer.symbol == u'*' && s.key % 100 == 0) {
                // A label, which must be the first statement of its line.
                skipToStatementEnd();
                checkStatementEnd(args);
                return;
            }
            raise(ErrSyntax);
        default: raise(ErrSyntax);
        }
    } catch (const InterpreterError& e) {
        lexer.scanData = false;
        raiseError(slot, jumped, e.number(), e.detail());
    } catch (const HostFailure& f) {
        lexer.scanData = false;
        raiseError(slot, jumped, mapHostFailure(f.kind()));
    } catch (const std::bad_alloc&) {
        lexer.scanData = false;
        raiseError(slot, jumped, ErrUnprintable);
    } catch (...) {
        // Whatever else a library throws (length_error, out_of_range ...)
        // is a failure of this statement like any other, never the end of
        // the application with its unsaved text.
        lexer.scanData = false;
        raiseError(slot, jumped, ErrUnprintable);
    }
}

} // namespace korvelin
