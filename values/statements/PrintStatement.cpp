// PRINT (and "?"), LPRINT, WRITE and PRINT USING: items turned into text
// and sent to one destination through PrintOutput: the console, a file's
// pending line, the printer's line (entry 0, printed by the printer device
// when the line ends) or the debug screen of direct commands.

#include "devices/PrinterDevice.h"
#include "expressions/Evaluator.h"
#include "interpreter/statements/Statements.h"
#include "values/Cp932.h"
#include "values/InterpreterError.h"
#include "values/NumberText.h"
#include "values/PrintUsing.h"

#include <algorithm>
#include <optional>

namespace korvelin {

namespace {

enum class PrintKind { Print, Lprint, Write };

// Where the text of one statement goes: the console, a file's pending
// line (PRINT #n), the printer's line (LPRINT) or, for a direct command,
// the debug screen. Each item's
// text is appended as it is produced, so an error in a later item leaves
// the earlier ones written.
class PrintOutput {
  public:
    enum class Destination { Console, File, Printer, Direct };

    PrintOutput(Interpreter& in, Destination destination, FileEntry* file = nullptr)
        : in_(in), destination_(destination), file_(file) {}

    void append(std::u16string_view text) {
        switch (destination_) {
        case Destination::Console: writeToConsole(text); return;
        case Destination::File: appendBytes(cp932::encode(text)); return;
        case Destination::Printer:
            appendBytes(cp932::encode(text));
            if (file_->lineBuffer.size() >= PrinterDevice::LongestPendingLine) {
                file_->column = 0;
                in_.printer.printPendingLine(file_->lineBuffer);
            }
            return;
        case Destination::Direct: appendBytes(cp932::encode(text)); return;
        }
    }

    void moveToNextZone() {
        if (destination_ == Destination::Console) {
            in_.screen.moveToNextZone();
            return;
        }
        const std::size_t column = file_ ? static_cast<std::size_t>(file_->column) : direct_.size();
        appendBytes(std::string((column / ZoneColumns + 1) * ZoneColumns - column, ' '));
    }

    // The end of the statement: a line end unless it ended with a separator.
    void finish(bool lineEnds) {
        switch (destination_) {
        case Destination::Console:
            if (lineEnds) {
                in_.screen.ConsoleNewLine();
                in_.screen.PositionCursor();
            }
            return;
        case Destination::File:
            if (lineEnds)
                in_.files.writeLine(*file_);
            else if (file_->isSerialPort())
                in_.files.sendPending(*file_);
            return;
        case Destination::Printer:
            if (lineEnds) {
                file_->column = 0;
                in_.printer.printPendingLine(file_->lineBuffer);
            }
            return;
        case Destination::Direct: in_.host.showDirectOutput(cp932::decode(direct_), lineEnds); return;
        }
    }

  private:
    // The console shares entry 0 with the printer: text an LPRINT left
    // pending goes out on the console in front of the item (LPRINT "A";
    // then PRINT "B" shows AB), and nothing stays pending for the printer.
    void writeToConsole(std::u16string_view text) {
        FileEntry& printerLine = in_.files.entry(0);
        if (printerLine.lineBuffer.empty()) {
            in_.screen.ConsoleWrite(text);
            return;
        }
        std::u16string joined = cp932::decode(printerLine.lineBuffer);
        // The printer line is empty again, so its column starts over.
        printerLine.lineBuffer.clear();
        printerLine.column = 0;
        joined += text;
        in_.screen.ConsoleWrite(joined);
    }
    std::string& pendingLine() { return file_ ? file_->lineBuffer : direct_; }
    void appendBytes(const std::string& bytes) {
        if (file_) {
            in_.files.appendPending(*file_, bytes);
            return;
        }
        pendingLine() += bytes;
    }

    Interpreter& in_;
    Destination destination_;
    FileEntry* file_;
    std::string direct_;
};

bool endsItemList(const Lexer& lexer) {
    return lexer.atStatementEnd() || lexer.isSymbol(u',') || lexer.isSymbol(u';');
}

std::u16string printText(const Value& v) {
    // A comparison result prints as the number it stands for.
    if (v.isString()) return v.unicodeText();
    return cp932::decode(formatNumber(v));
}

// Appends rather than concatenating temporaries: GCC 12 at -O3 inlines the
// operator+ chain into the caller and then warns (-Wrestrict) about a copy it
// cannot prove apart.
void appendWriteText(std::u16string& text, const Value& v) {
    if (v.isString()) {
        text += u'"';
        text += v.unicodeText();
        text += u'"';
        return;
    }
    const std::string number = formatNumber(v);
    const std::size_t first = number.find_first_not_of(' ');
    if (first == std::string::npos) return;
    const std::size_t last = number.find_last_not_of(' ');
    text += cp932::decode(number.substr(first, last - first + 1));
}

// The file number after "#": a numeric constant, not an expression.
FileEntry& readFileNumber(Interpreter& in) {
    Lexer& lexer = in.lexer;
    lexer.nextToken();
    if (lexer.tokenKind != TokenConstant || lexer.tokenValue.isString()) raise(ErrSyntax);
    // The range is checked on the value as written, the entry is the
    // rounded one (as OPEN names it): #1.6 is file 2.
    const double n = lexer.tokenValue.toDouble();
    if (!(n >= 1 && n <= 9)) raise(ErrBadFileNumber);
    FileEntry& file = in.files.openEntry(toLongRounded(lexer.tokenValue));
    lexer.nextToken();
    in.expectSymbol(u',');
    lexer.nextToken();
    return file;
}

void executeOutput(Interpreter& in, StatementArgs& args, PrintKind kind) {
    Lexer& lexer = in.lexer;
    ScreenState& screen = in.screen;
    in.currentStatement = kind == PrintKind::Write    ? u"WRITE"
                          : kind == PrintKind::Lprint ? u"LPRINT"
                                                      : u"PRINT";
    const bool direct = !in.isProgramStatement(args.slot);
    if (!direct) {
        screen.clampCursorToDesktop();
        screen.PositionCursor();
    }
    lexer.nextToken();
    FileEntry* file = nullptr;
    PrintOutput::Destination destination =
        direct ? PrintOutput::Destination::Direct : PrintOutput::Destination::Console;
    if (kind == PrintKind::Lprint) {
        file = &in.files.entry(0);
        destination = PrintOutput::Destination::Printer;
    } else if (lexer.isSymbol(u'#')) {
        file = &readFileNumber(in);
        destination = PrintOutput::Destination::File;
    }
    PrintOutput out(in, destination, file);

    std::optional<UsingFormat> format;
    if (kind != PrintKind::Write && lexer.isWord(KwUsing)) {
        lexer.nextToken();
        const Value f = evaluateExpression(in);
        in.expectSymbol(u';');
        format.emplace(cp932::decode(f.toTextBytes()));
        if (!format->hasFields()) raise(ErrIllegalCall);
        lexer.nextToken();
    }

    bool trailingSeparator = false;
    bool firstItem = true;
    for (;;) {
        const bool comma = lexer.isSymbol(u',');
        if (comma && kind != PrintKind::Write && !format) out.moveToNextZone();
        const bool separator = comma || lexer.isSymbol(u';');
        if (separator) lexer.nextToken();
        if (endsItemList(lexer)) {
            if (kind == PrintKind::Write) raise(ErrMissingOperand);
            trailingSeparator = separator;
        } else {
            const Value item = evaluateExpression(in);
            std::u16string text;
            if (format)
                text = format->formatItem(item);
            else if (kind == PrintKind::Write) {
                if (!firstItem) text += u',';
                appendWriteText(text, item);
            } else
                text = printText(item);
            out.append(text);
            firstItem = false;
            trailingSeparator = false;
        }
        if (lexer.isSymbol(u',') || lexer.isSymbol(u';')) continue;
        // The classic dialect prints items written side by side as if a
        // ";" stood between them: PRINT "A"X, PRINT TAB(10)"X".
        if (!(in.classicDialect && kind != PrintKind::Write && !endsItemList(lexer))) break;
    }
    if (format) {
        const std::u16string rest = format->finish();
        if (!rest.empty()) out.append(rest);
    }
    out.finish(!trailingSeparator);
    in.checkStatementEnd(args);
}

void executePrint(Interpreter& in, StatementArgs& args) {
    executeOutput(in, args, PrintKind::Print);
}

void executeLprint(Interpreter& in, StatementArgs& args) {
    executeOutput(in, args, PrintKind::Lprint);
}

void executeWrite(Interpreter& in, StatementArgs& args) {
    executeOutput(in, args, PrintKind::Write);
}

} // namespace

void registerOutputStatements(std::array<StatementHandler, KeywordCount>& table) {
    table[KwPrint] = executePrint;
    table[KwLprint] = executeLprint;
    table[KwWrite] = executeWrite;
}

} // namespace korvelin
