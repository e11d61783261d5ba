#pragma once
// One interpreter: the prepared program, the lexer, the variable store and
// the run-time control state, each an object of its own, plus the host
// around it. Tests create as many as they like.

#include "devices/FileTable.h"
#include "devices/PrinterDevice.h"
#include "devices/VoiceQueue.h"
#include "interpreter/ControlState.h"
#include "interpreter/Lexer.h"
#include "interpreter/RunSession.h"
#include "interpreter/StatementTable.h"
#include "platform/RunHost.h"
#include "screen/ScreenState.h"
#include "values/Clock.h"
#include "values/Keywords.h"
#include "values/RandomState.h"
#include "values/ReservedWords.h"
#include "values/VariableStore.h"
#include "values/WordTable.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

namespace korvelin {

// The three arguments every statement receives by reference: the slot
// being executed (a jump replaces it; -1 stops the run), the slot's `next`
// (where a FOR records its body) and the jumped flag.
struct StatementArgs {
    int& slot;
    int& next;
    int& jumped;
};

class Interpreter;
using StatementHandler = void (*)(Interpreter&, StatementArgs&);

enum class PrepareMode { Full = 0, ChainAll = 1, Append = 2 };

// How the application was started, and where its shut-down stands. The run
// loop and the error report ask it: only an interactive session has an
// editor to put the caret in, and a command-line run ends the application.
enum class StartMode : std::uint8_t {
    Closing = 0,          // the editor window is closing: no caret, no focus any more
    Interactive = 1,      // started without a program: the editor is shown
    CommandLine = 2,      // a program named on the command line (or batch mode) runs
    CloseWhenRunEnds = 3, // closing was asked for during a run
};

struct ErrorState {
    std::int16_t errorNumber = 0; // ERR
    std::int32_t errorLine = 0;   // ERL; line numbers go beyond 16 bits
};

struct KeyboardState {
    std::u16string keyBuffer;
    std::array<std::u16string, 16> functionKeyText;
    // The mouse as the execution window last reported it, in client
    // pixels. Buttons are indexed 1 (left) and 2 (right); 0 is never written.
    float mouseX = 0;
    std::int16_t mouseY = 0;
    std::array<float, 3> buttonDownX{};
    std::array<std::int16_t, 3> buttonDownY{};
    std::array<float, 3> buttonUpX{};
    std::array<std::int16_t, 3> buttonUpY{};
};

class Interpreter {
  public:
    explicit Interpreter(RunHost& host);
    Interpreter(const Interpreter&) = delete;
    Interpreter& operator=(const Interpreter&) = delete;

    // --- preparation and the run loop ---
    void prepareProgram(PrepareMode mode);
    void resetInterpreter();
    void resetProgramTables();
    void runLoop(int startSlot);
    void executeStatement(int& slot, int& next, int& jumped);
    // Lets window events run until the console input box is answered.
    void waitForConsoleInput();
    bool hasHandler(int keyword) const { return handlers_[static_cast<std::size_t>(keyword)] != nullptr; }

    // --- runs the windows start (interpreter/run/DirectLine.cpp) ---
    // A line typed in the debug screen, appended behind the program; false
    // (reported) when it cannot be prepared, the program staying as it was.
    bool prepareDirectLine(std::u16string_view line);
    // Runs the prepared line; afterwards the program is where it was (at
    // its break, or idle) unless the line ended it or jumped into it.
    void runDirectLine();
    // The run commands: break after the current statement; resume a
    // program held at a break; end a running program after its statement,
    // or one held at a break at once.
    void requestBreak();
    bool canResume() const;
    void resumeRun();
    void requestEnd();
    bool runLoopActive() const { return session.depth > 0; }
    // The end of a run: nothing stays to resume; the host shows idle. A
    // program's run closes its files; a line typed while idle leaves them
    // open (written out) for the next line to use.
    enum class FilesAtEnd : std::uint8_t { Close, KeepOpen };
    void endRun(FilesAtEnd files = FilesAtEnd::Close);

    // --- errors ---
    // Records the error and either hands it to ON ERROR GOTO or reports it
    // and ends the run. `detail` is an extra line for the message box.
    void raiseError(int& slot, int& jumped, int number, std::u16string_view detail = {});
    // The parts of raiseError: ERR and ERL, and the message box (with the
    // line number and the editor caret for a program statement).
    void recordError(int slot, int number);
    void reportError(int slot, int number, std::u16string_view detail);

    // --- helpers shared by the statements ---
    // Error 1 unless the statement ends here; then one pass of window events.
    void checkStatementEnd(StatementArgs& args);
    void skipToStatementEnd();
    // The current token is a line number / the word after "*": jump there.
    void jumpToLine(StatementArgs& args);
    void jumpToLabel(StatementArgs& args);
    // A jump target: "*" and a label, or a line number; error 1 otherwise.
    void jumpToTarget(StatementArgs& args);
    std::int16_t optionalInteger(std::int16_t defaultValue);
    float optionalSingle(float defaultValue);
    Value optionalString(const Value& defaultValue);
    void expectSymbol(char16_t symbol);
    void expectWord(Keyword keyword);
    // After statements that store into variables: a changed watch
    // expression breaks the run.
    void watchCheck();
    // Pushes a GOSUB return entry: the statement after the current slot.
    void pushReturnEntry(int slot);
    // Reads a variable target; returns its completed name, subscripts in
    // the subscript register.
    int parseVariableTarget();
    std::int32_t lookupTarget(int nameId) { return variables.lookupVariable(nameId, LookupMode::Reference); }
    // The name with the default type suffix of its first letter appended.
    int completeName(int wordId) {
        if (words.hasSuffix(wordId)) return wordId;
        return words.withSuffix(wordId, variables.defaultSuffix(words.text(wordId)[0]));
    }
    // findReservedWord for a word id, remembered per word.
    int reservedIndex(int wordId) {
        const int cached = words.reservedIndex(wordId);
        return cached >= -1 ? cached : lookUpReservedWord(wordId);
    }
    bool isProgramStatement(int slot) const { return statements[slot].key <= statements.highestKey; }
    // The scan text of a DEF FN body, kept so that its tokens are read once.
    const ScanText* functionBodyText(const Value& body);

    RunHost& host;
    WordTable words;
    KeywordTable keywords;
    StatementTable statements;
    LabelTable labels;
    DataTable data;
    Lexer lexer;
    VariableStore variables;
    EventTables events;
    ControlStack control;
    LoopStack loops;
    ErrorState errors;
    KeyboardState keyboard;
    RandomState random;
    Clock clock;
    ScreenState screen;
    VoiceQueue voices;     // PLAY and BEEP
    PrinterDevice printer; // LPRINT, LFILES, printer files, COPY (before files: they print on close)
    FileTable files;
    DosPaths paths; // the current directories and the drives' host folders
    RunSession session;

    int dataIndex = 0;                    // READ pointer: DATA statement index
    std::u16string_view currentStatement; // the keyword recorded by the statement running
    int startPosition = 0;                // lexer position when the statement started
    int userFunctionDepth = 0;            // FN calls being evaluated, one inside another
    StartMode startMode = StartMode::Interactive;
    std::u16string commandTail;        // COMMAND$
    std::u16string currentProgramPath; // the file RUN or CHAIN loads
    std::int16_t chainStartLine = 0;
    // The classic-dialect mode (off by default): keywords run together with
    // names and numbers, PRINT items side by side, FOR reusing an open loop
    // of its variable, DEF FN redefining. Takes effect when a run is prepared.
    bool classicDialect = false;

  private:
    int lookUpReservedWord(int wordId);
    void prepareText(const std::u16string& text, int firstSlot);
    bool splitLine(int slot, int& k);
    void failPreparation(int slot, int number, std::int32_t caretOffset);
    void runSlots(int startSlot);
    void finishRun();
    void finishFiles(FilesAtEnd filesAtEnd);
    bool finishDirectLine();
    void appendText(const std::u16string& text);
    void restoreExtent(const ProgramExtent& extent);
    void pushEventEntry(int cur);

    std::array<StatementHandler, KeywordCount> handlers_{};
    std::unordered_map<std::string, std::unique_ptr<ScanText>> functionBodies_;
    bool appending_ = false; // a failed appended text leaves the program alone
};

// Every statement family's handlers, from the one list in
// interpreter/run/StatementRegistry.cpp.
void registerStatements(std::array<StatementHandler, KeywordCount>& table);

// The assignment without LET, for a first word that is no statement.
void executeAssignment(Interpreter& in, StatementArgs& args);

} // namespace korvelin
