// INPUT # and LINE INPUT #. Items are cut from the entry's inputBuffer,
// which holds the unread rest of the current line and its CR LF; a disk
// file refills it a line at a time, the serial port as characters arrive.

#include "screen/statements/FileInput.h"

#include "expressions/SerialWait.h"
#include "interpreter/statements/Statements.h"
#include "values/NumberText.h"
#include "values/ValueOps.h"

#include <cstring>

namespace korvelin {

namespace {

class ItemReader {
  public:
    // `terminator` ends the item when a wait on the serial port is cut
    // short by a break, the end request or a trap, so the statement finishes.
    ItemReader(Interpreter& in, FileEntry& file, const char* terminator = ",")
        : in_(in), file_(file), terminator_(terminator) {}
    ~ItemReader() { file_.inputBuffer.erase(0, std::min(pos_, file_.inputBuffer.size())); }
    ItemReader(const ItemReader&) = delete;
    ItemReader& operator=(const ItemReader&) = delete;

    // The next character, reading on when the buffer is used up; -1 when
    // a wait on the serial port was cut short by an event.
    int peek() {
        while (pos_ >= file_.inputBuffer.size()) {
            file_.inputBuffer.clear();
            pos_ = 0;
            if (file_.isSerialPort()) {
                if (!waitForPort()) return -1;
            } else {
                in_.files.fetchLine(file_);
            }
        }
        return static_cast<unsigned char>(file_.inputBuffer[pos_]);
    }
    // The next character of the current line only: -1 at the end of what
    // a disk file's line left in the buffer.
    int current() {
        if (pos_ < file_.inputBuffer.size()) return static_cast<unsigned char>(file_.inputBuffer[pos_]);
        return file_.isSerialPort() ? peek() : -1;
    }
    void skip() { ++pos_; }

    // Blanks and line ends before an item; a line end continues on the next line.
    void skipLeadingBlanks() {
        for (int c = peek(); c == ' ' || c == '\r' || c == '\n'; c = peek())
            skip();
    }
    // After an item: its comma, or its CR and the LF after it.
    void takeTerminator() {
        const int c = current();
        if (c == ',') {
            skip();
        } else if (c == '\r') {
            skip();
            if (pos_ < file_.inputBuffer.size() && file_.inputBuffer[pos_] == '\n') skip();
        }
    }
    // Characters up to (not including) one of `stops`, a CR or the end of the buffer.
    std::string takeUntil(const char* stops) {
        std::string text;
        for (int c = current(); c >= 0 && c != '\r' && !std::strchr(stops, c); c = current()) {
            text += static_cast<char>(c);
            skip();
        }
        return text;
    }

    Value stringItem() {
        skipLeadingBlanks();
        std::string text;
        if (current() == '"') {
            // A quoted item runs to its closing quote, commas included, so
            // what WRITE # wrote reads back unchanged.
            skip();
            text = takeUntil("\"");
            if (current() == '"') skip();
            std::string rest = takeUntil(",");
            trimRight(rest);
            text += rest;
        } else {
            text = takeUntil(",");
            trimRight(text);
        }
        takeTerminator();
        return Value::bytes(std::move(text));
    }

    Value numericItem() {
        skipLeadingBlanks();
        const std::string text = takeUntil(" ,");
        while (current() == ' ')
            skip();
        takeTerminator();
        return Value::dbl(parseLeadingNumber(text));
    }

  private:
    static void trimRight(std::string& s) {
        while (!s.empty() && s.back() == ' ')
            s.pop_back();
    }

    bool waitForPort() {
        waitForSerialInput(in_, file_, 1);
        if (file_.inputBuffer.empty()) file_.inputBuffer = terminator_;
        return true;
    }

    Interpreter& in_;
    FileEntry& file_;
    const char* terminator_;
    std::size_t pos_ = 0;
};

bool isStringName(const Interpreter& in, int nameId) {
    const std::u16string& name = in.words.text(nameId);
    return !name.empty() && name.back() == u'$';
}

void store(Interpreter& in, int name, std::int32_t slot, Value value) {
    const std::u16string& text = in.words.text(name);
    if (!text.empty() && text.back() == u'%') value = roundForIntegerTarget(value);
    in.variables[slot] = std::move(value);
}

// LINE INPUT # on the serial port: characters up to a CR; the CR and the
// character after it are dropped.
std::string portLine(ItemReader& reader) {
    std::string line;
    for (int c = reader.current(); c >= 0 && c != '\r'; c = reader.current()) {
        line += static_cast<char>(c);
        reader.skip();
    }
    if (reader.current() == '\r') {
        reader.skip();
        if (reader.current() >= 0) reader.skip();
    }
    return line;
}

} // namespace

void executeFileInput(Interpreter& in, StatementArgs& args, bool lineInput) {
    Lexer& lexer = in.lexer;
    lexer.nextToken();
    if (lexer.tokenKind != TokenConstant || lexer.tokenValue.isString()) raise(ErrSyntax);
    FileEntry& file = in.files.openEntry(toLongRounded(lexer.tokenValue));
    lexer.nextToken();
    in.expectSymbol(u',');
    lexer.nextToken();

    if (lineInput) {
        const int name = in.parseVariableTarget();
        if (!isStringName(in, name)) raise(ErrSyntax);
        const std::int32_t slot = in.lookupTarget(name);
        std::string line;
        if (file.isSerialPort()) {
            ItemReader reader(in, file, "\r\n");
            line = portLine(reader);
        } else {
            line = in.files.fetchWholeLine(file);
        }
        in.variables[slot] = Value::bytes(std::move(line));
    } else {
        for (int count = 1;; ++count) {
            if (count > MaxInputVariables) failHost(HostFailureKind::Other);
            const int name = in.parseVariableTarget();
            const std::int32_t slot = in.lookupTarget(name);
            Value item;
            {
                ItemReader reader(in, file);
                item = isStringName(in, name) ? reader.stringItem() : reader.numericItem();
            }
            store(in, name, slot, std::move(item));
            if (!lexer.isSymbol(u',')) break;
            lexer.nextToken();
        }
    }
    in.watchCheck();
    in.checkStatementEnd(args);
}

} // namespace korvelin
