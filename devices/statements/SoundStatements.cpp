// PLAY, PLAY ALLOC and BEEP. PLAY queues the notes of one music string on
// the voice layer (devices/VoiceQueue.h) and returns while they sound.

#include "devices/MusicString.h"
#include "expressions/Evaluator.h"
#include "interpreter/statements/Statements.h"

namespace korvelin {

namespace {

// The token after PLAY is the music as it stands: a string literal gives
// its contents, any other token its own text (PLAY A$ plays the note A).
std::u16string musicToken(Interpreter& in, int tokenStart) {
    Lexer& lexer = in.lexer;
    if (lexer.tokenKind == TokenConstant && lexer.tokenValue.isString())
        return lexer.tokenValue.unicodeText();
    if (lexer.tokenKind == TokenEnd) return {};
    const std::u16string& text = lexer.currentText();
    const auto from = static_cast<std::size_t>(std::max(tokenStart, 1) - 1);
    const auto to = std::min(static_cast<std::size_t>(std::max(lexer.position, 1) - 1), text.size());
    std::u16string own = from < to ? text.substr(from, to - from) : std::u16string();
    const std::size_t first = own.find_first_not_of(u' ');
    const std::size_t last = own.find_last_not_of(u' ');
    return first == std::u16string::npos ? std::u16string() : own.substr(first, last - first + 1);
}

void executePlay(Interpreter& in, StatementArgs& args) {
    in.currentStatement = u"PLAY";
    Lexer& lexer = in.lexer;
    const int tokenStart = lexer.position;
    lexer.nextToken();
    if (lexer.isWord(KwAlloc)) {
        // The queue is ours to size; PLAY ALLOC has nothing to do.
        in.skipToStatementEnd();
        in.checkStatementEnd(args);
        return;
    }
    const std::u16string music = musicToken(in, tokenStart);
    lexer.nextToken();
    playMusicString(music, in.voices);
    in.checkStatementEnd(args);
}

void executeBeep(Interpreter& in, StatementArgs& args) {
    in.currentStatement = u"BEEP";
    in.lexer.nextToken();
    if (!in.lexer.atStatementEnd()) evaluateExpression(in);
    in.voices.beep();
    in.checkStatementEnd(args);
}

} // namespace

void registerSoundStatements(std::array<StatementHandler, KeywordCount>& table) {
    table[KwPlay] = executePlay;
    table[KwBeep] = executeBeep;
}

} // namespace korvelin
