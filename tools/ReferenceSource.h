#pragma once
// The readable source of the statement reference (data/reference/*.txt):
// UTF-8 text in which "@@ NAME [NAME ...]" starts an entry and every
// following line is one 80-byte record of that entry, exactly as the detail
// window shows it. Several names on one heading share one text (DEFINT,
// DEFSNG, DEFDBL and DEFSTR, for example): each name is its own line in the
// list, and all of them point at the same records.
//
// Lines that start with "#" are comments; blank lines only separate
// entries and produce no record. A record that starts with a blank or an
// ideographic space continues the paragraph above it; any other record
// starts a new paragraph. Program lines of an example are indented by two
// blanks and start with a line number.
//
// Header-only so that the build-time generator and the tests read the
// source the same way.

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace korvelin::reference {

struct SourceLine {
    int number = 0; // 1-based line of the source file
    std::string text;
};

struct SourceEntry {
    std::vector<std::string> names;
    std::vector<SourceLine> records; // UTF-8
    int headingLine = 0;
};

struct SourceFile {
    std::string path;
    std::vector<SourceEntry> entries;
    std::string error; // "" when the file was read
};

inline std::string trimRight(std::string text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\r' || text.back() == '\t'))
        text.pop_back();
    return text;
}

inline SourceFile readSource(const std::string& path) {
    SourceFile file;
    file.path = path;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        file.error = path + ": cannot be read";
        return file;
    }
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        line = trimRight(line);
        if (line.empty() || line[0] == '#') continue;
        if (line.rfind("@@", 0) == 0) {
            SourceEntry entry;
            entry.headingLine = number;
            std::istringstream words(line.substr(2));
            for (std::string name; words >> name;)
                entry.names.push_back(name);
            if (entry.names.empty()) {
                file.error = path + ":" + std::to_string(number) + ": a heading without a name";
                return file;
            }
            file.entries.push_back(std::move(entry));
            continue;
        }
        if (file.entries.empty()) {
            file.error = path + ":" + std::to_string(number) + ": text before the first heading";
            return file;
        }
        if (line.find('\t') != std::string::npos) {
            file.error = path + ":" + std::to_string(number) + ": a tab (records are laid out with blanks)";
            return file;
        }
        file.entries.back().records.push_back({number, line});
    }
    return file;
}

// The program lines of an entry's example: the records after the "【例】"
// heading that are indented by two blanks and start with a digit.
inline std::vector<std::string> exampleProgram(const SourceEntry& entry) {
    std::vector<std::string> program;
    bool inExample = false;
    for (const SourceLine& record : entry.records) {
        const std::string& text = record.text;
        if (!text.empty() && text[0] != ' ' && text.rfind("\xE3\x80\x80", 0) != 0)
            inExample = text.rfind("【例】", 0) == 0;
        if (inExample && text.size() > 2 && text.compare(0, 2, "  ") == 0 && text[2] >= '0' && text[2] <= '9')
            program.push_back(text.substr(2));
    }
    return program;
}

} // namespace korvelin::reference
