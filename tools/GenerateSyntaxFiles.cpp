// Build-time generator of the statement reference's data files from their
// readable source (tools/ReferenceSource.h describes it):
//
//   SYNTAX.DAT   the number of statements, their names, the number of
//                functions, their names; one item per CR LF line
//   SYNTAX2.IDX  per name, in the same order: "first,count" — the entry's
//                first record (0-based) and its record count plus one
//   SYNTAX2.RND  80-byte records, blank-padded, no separators
//
// All three are Shift-JIS (CP932). The generator refuses to write anything
// when a record would not fit its 80 bytes, a character has no CP932 code,
// a name repeats, or the lists hold more than the window's 150 entries: a
// reference that the window cannot show correctly fails the build instead.
//
// Usage: GenerateSyntaxFiles STATEMENTS.txt FUNCTIONS.txt OUTPUT-FOLDER

#include "ReferenceSource.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iconv.h>
#include <set>
#include <string>
#include <vector>

namespace {

using korvelin::reference::SourceEntry;
using korvelin::reference::SourceFile;

constexpr std::size_t recordSize = 80;
constexpr std::size_t maxEntries = 150;

[[noreturn]] void fail(const std::string& message) {
    std::fprintf(stderr, "GenerateSyntaxFiles: %s\n", message.c_str());
    std::exit(1);
}

// UTF-8 to CP932, strictly: a character without a code is an error.
class ShiftJisEncoder {
  public:
    ShiftJisEncoder() : cd_(iconv_open("CP932", "UTF-8")) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) fail("iconv cannot convert UTF-8 to CP932");
    }
    ~ShiftJisEncoder() { iconv_close(cd_); }
    ShiftJisEncoder(const ShiftJisEncoder&) = delete;
    ShiftJisEncoder& operator=(const ShiftJisEncoder&) = delete;

    bool encode(const std::string& text, std::string& out) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::string input = text;
        std::string buffer(text.size() * 2 + 8, '\0');
        char* inPtr = input.data();
        char* outPtr = buffer.data();
        size_t inLeft = input.size();
        size_t outLeft = buffer.size();
        if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft != 0)
            return false;
        out.assign(buffer.data(), static_cast<size_t>(outPtr - buffer.data()));
        return true;
    }

  private:
    iconv_t cd_;
};

struct Name {
    std::string shiftJis;
    std::size_t firstRecord = 0;
    std::size_t recordCount = 0; // records + 1, as the index stores it
};

struct Output {
    std::vector<Name> statements;
    std::vector<Name> functions;
    std::string records;
};

void addList(const SourceFile& source, std::vector<Name>& names, Output& out, ShiftJisEncoder& encoder) {
    std::set<std::string> seen;
    for (const SourceEntry& entry : source.entries) {
        const std::size_t first = out.records.size() / recordSize;
        for (const auto& record : entry.records) {
            std::string bytes;
            const std::string where = source.path + ":" + std::to_string(record.number);
            if (!encoder.encode(record.text, bytes)) fail(where + ": a character without a Shift-JIS code");
            if (bytes.size() > recordSize)
                fail(where + ": " + std::to_string(bytes.size()) + " bytes, a record holds " +
                     std::to_string(recordSize));
            bytes.resize(recordSize, ' ');
            out.records += bytes;
        }
        for (const std::string& name : entry.names) {
            if (!seen.insert(name).second)
                fail(source.path + ":" + std::to_string(entry.headingLine) + ": " + name +
                     " is listed twice");
            Name item;
            if (!encoder.encode(name, item.shiftJis)) fail(source.path + ": the name " + name);
            item.firstRecord = first;
            item.recordCount = entry.records.size() + 1;
            names.push_back(item);
        }
    }
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) fail(path + ": cannot be written");
}

std::string nameList(const std::vector<Name>& names) {
    std::string text = std::to_string(names.size()) + "\r\n";
    for (const Name& name : names)
        text += name.shiftJis + "\r\n";
    return text;
}

std::string indexList(const std::vector<Name>& names) {
    std::string text;
    for (const Name& name : names)
        text += std::to_string(name.firstRecord) + "," + std::to_string(name.recordCount) + "\r\n";
    return text;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 4) fail("usage: GenerateSyntaxFiles STATEMENTS.txt FUNCTIONS.txt OUTPUT-FOLDER");
    const SourceFile statements = korvelin::reference::readSource(argv[1]);
    const SourceFile functions = korvelin::reference::readSource(argv[2]);
    for (const SourceFile* source : {&statements, &functions})
        if (!source->error.empty()) fail(source->error);

    ShiftJisEncoder encoder;
    Output out;
    addList(statements, out.statements, out, encoder);
    addList(functions, out.functions, out, encoder);
    const std::size_t total = out.statements.size() + out.functions.size();
    if (total > maxEntries)
        fail(std::to_string(total) + " names; the list window holds at most " + std::to_string(maxEntries));

    const std::string folder = std::string(argv[3]) + "/";
    writeFile(folder + "SYNTAX.DAT", nameList(out.statements) + nameList(out.functions));
    writeFile(folder + "SYNTAX2.IDX", indexList(out.statements) + indexList(out.functions));
    writeFile(folder + "SYNTAX2.RND", out.records);
    return 0;
}
