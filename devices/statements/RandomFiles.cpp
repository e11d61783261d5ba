// FIELD, LSET, RSET, GET and PUT: records of a random file, their fields
// bound to string variables. GET and PUT without a file number are the
// graphic statements (screen/statements/ImageStatements.cpp).

#include "devices/statements/FileNumbers.h"
#include "expressions/Evaluator.h"
#include "interpreter/statements/Statements.h"
#include "screen/statements/ImageStatements.h"

#include <algorithm>

namespace korvelin {

namespace {

constexpr std::size_t MaxBindings = 401;

// The record buffer reaches over every field, even before the first GET.
void coverRecord(FileEntry& e, std::size_t length) {
    if (e.lineBuffer.size() < length) e.lineBuffer.resize(length, ' ');
}

// FIELD #n, width AS var [, width AS var]...
void executeField(Interpreter& in, StatementArgs& args) {
    Lexer& lexer = in.lexer;
    lexer.nextToken();
    in.expectSymbol(u'#');
    lexer.nextToken();
    FileEntry& file = in.files.entry(readFileNumberToken(in));
    std::int32_t pos = 0;
    while (lexer.isSymbol(u',')) {
        lexer.nextToken();
        const std::int16_t width = toIntegerRounded(evaluateExpression(in));
        if (width < 0) raise(ErrIllegalCall);
        in.expectWord(KwAs);
        lexer.nextToken();
        const int name = in.parseVariableTarget();
        if (file.fields.size() >= MaxBindings) failHost(HostFailureKind::Other);
        if (pos + width > 32767) failHost(HostFailureKind::Other);
        file.fields.push_back({width, static_cast<std::int16_t>(pos + 1), in.lookupTarget(name)});
        pos += width;
    }
    if (pos > file.recordLength) {
        file.recordLength = static_cast<std::int16_t>(pos);
        if (file.isRandom()) coverRecord(file, static_cast<std::size_t>(pos));
    }
    in.checkStatementEnd(args);
}

// The first binding of a variable: files 0..9, bindings in the order made.
FieldBinding* findBinding(Interpreter& in, std::int32_t variable, FileEntry*& owner) {
    for (int n = 0; n < FileTable::EntryCount; ++n) {
        FileEntry& e = in.files.entry(n);
        for (FieldBinding& b : e.fields) {
            if (b.variable == variable) {
                owner = &e;
                return &b;
            }
        }
    }
    return nullptr;
}

void setField(Interpreter& in, StatementArgs& args, bool rightJustified) {
    Lexer& lexer = in.lexer;
    lexer.nextToken();
    const int name = in.parseVariableTarget();
    in.expectSymbol(u'=');
    const std::int32_t variable = in.lookupTarget(name);
    FileEntry* file = nullptr;
    const FieldBinding* binding = findBinding(in, variable, file);
    if (!binding) raise(ErrSyntax);
    lexer.nextToken();
    const Value v = evaluateExpression(in);
    if (!v.isString()) raise(ErrTypeMismatch);

    const std::string& bytes = v.byteForm();
    const auto width = static_cast<std::size_t>(binding->width);
    std::string text;
    if (rightJustified) {
        text = bytes.size() >= width ? bytes.substr(bytes.size() - width)
                                     : std::string(width - bytes.size(), ' ') + bytes;
    } else {
        text = bytes.substr(0, width);
        text.resize(width, ' ');
    }
    const auto start = static_cast<std::size_t>(binding->start - 1);
    coverRecord(*file, start + width);
    file->lineBuffer.replace(start, width, text);
    in.variables[variable] = Value::bytes(std::move(text));
    in.watchCheck();
    in.checkStatementEnd(args);
}

void executeLset(Interpreter& in, StatementArgs& args) {
    setField(in, args, false);
}

void executeRset(Interpreter& in, StatementArgs& args) {
    setField(in, args, true);
}

// GET and PUT take the file form when a number follows the keyword (after
// an optional "#" or "@").
bool isFileForm(Interpreter& in) {
    Lexer& lexer = in.lexer;
    lexer.nextToken();
    if (lexer.isSymbol(u'#') || lexer.isSymbol(u'@')) lexer.nextToken();
    return lexer.tokenKind == TokenConstant && !lexer.tokenValue.isString();
}

// The checks GET and PUT share; returns the record's first byte (0-based).
std::int64_t recordOffset(Interpreter& in, FileEntry*& file) {
    Lexer& lexer = in.lexer;
    const std::int32_t number = readFileNumberToken(in);
    file = &in.files.openEntry(number);
    in.expectSymbol(u',');
    lexer.nextToken();
    const std::int32_t record = toLongRounded(evaluateExpression(in));
    if (record < 1 || !file->isRandom()) failHost(HostFailureKind::Other);
    return static_cast<std::int64_t>(record - 1) * file->recordLength;
}

void executeGet(Interpreter& in, StatementArgs& args) {
    const Lexer::Mark start = in.lexer.mark();
    if (!isFileForm(in)) {
        in.lexer.returnTo(start);
        return executeImageGet(in, args);
    }
    FileEntry* file = nullptr;
    const std::int64_t offset = recordOffset(in, file);
    std::string record(static_cast<std::size_t>(file->recordLength), ' ');
    if (!file->device) failHost(HostFailureKind::Other);
    file->device->readAt(offset, record.data(), record.size());
    file->lineBuffer = std::move(record);
    for (const FieldBinding& b : file->fields) {
        const auto from = std::min(static_cast<std::size_t>(b.start - 1), file->lineBuffer.size());
        in.variables[b.variable] =
            Value::bytes(file->lineBuffer.substr(from, static_cast<std::size_t>(b.width)));
    }
    in.watchCheck();
    in.checkStatementEnd(args);
}

void executePut(Interpreter& in, StatementArgs& args) {
    const Lexer::Mark start = in.lexer.mark();
    if (!isFileForm(in)) {
        in.lexer.returnTo(start);
        return executeImagePut(in, args);
    }
    FileEntry* file = nullptr;
    const std::int64_t offset = recordOffset(in, file);
    coverRecord(*file, static_cast<std::size_t>(file->recordLength));
    if (!file->device) failHost(HostFailureKind::Other);
    file->device->writeAt(
        offset, std::string_view(file->lineBuffer).substr(0, static_cast<std::size_t>(file->recordLength)));
    in.checkStatementEnd(args);
}

} // namespace

void registerRandomFileStatements(std::array<StatementHandler, KeywordCount>& table) {
    table[KwField] = executeField;
    table[KwLset] = executeLset;
    table[KwRset] = executeRset;
    table[KwGet] = executeGet;
    table[KwPut] = executePut;
}

} // namespace korvelin
