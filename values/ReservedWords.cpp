#include "values/ReservedWords.h"

#include "values/HostFailure.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace korvelin {

// Generated at build time from data/KORVELIN.DAT.
extern const std::string_view builtinReservedWords;

namespace {

std::string_view trimBlanks(std::string_view item) {
    const auto first = item.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = item.find_last_not_of(" \t");
    return item.substr(first, last - first + 1);
}

// The file is ASCII; any other byte is carried over as the code point of the
// same value, which no word of a program can be equal to.
std::u16string widen(std::string_view bytes) {
    std::u16string word;
    word.reserve(bytes.size());
    for (const char c : bytes)
        word.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
    return word;
}

} // namespace

KeywordTable::KeywordTable() {
    keywordFirstIndex_.fill(-1);
    keywordCount_.fill(0);
}

void KeywordTable::loadFromText(std::string_view fileBytes) {
    entries_.clear();
    keywordFirstIndex_.fill(-1);
    keywordCount_.fill(0);

    int runLetter = -1; // initial letter of the run being read, -1 before the first item
    std::int16_t runCount = 0;
    std::size_t pos = 0;
    while (pos < fileBytes.size() && size() < capacity) {
        std::size_t end = fileBytes.find_first_of(",\r\n", pos);
        if (end == std::string_view::npos) end = fileBytes.size();
        const std::string_view item = trimBlanks(fileBytes.substr(pos, end - pos));
        pos = end + 1;
        if (item.empty()) continue;

        const auto first = static_cast<unsigned char>(item.front());
        if (first < 'A' || first > 'Z') break;
        const int letter = first - 'A';
        if (letter != runLetter) {
            if (runLetter >= 0) keywordCount_[static_cast<std::size_t>(runLetter)] = runCount;
            keywordFirstIndex_[static_cast<std::size_t>(letter)] = static_cast<std::int16_t>(size());
            runLetter = letter;
            runCount = 1;
        } else {
            ++runCount;
        }
        entries_.push_back(widen(item));
    }
    if (runLetter >= 0) keywordCount_[static_cast<std::size_t>(runLetter)] = runCount;
}

bool KeywordTable::loadFromFile(const std::string& path) {
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(path, ignored)) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return false;
    loadFromText(bytes);
    return true;
}

void KeywordTable::loadBuiltin() {
    loadFromText(builtinReservedWords);
}

int KeywordTable::findReservedWord(std::u16string_view word) const {
    if (word.empty() || word.front() < u'A' || word.front() > u'Z') failHost(HostFailureKind::Other);
    const auto letter = static_cast<std::size_t>(word.front() - u'A');
    const int first = keywordFirstIndex_[letter];
    if (first < 0) return -1;
    const int end = first + keywordCount_[letter];
    for (int i = first; i < end; ++i) {
        if (entries_[static_cast<std::size_t>(i)] == word) return i;
    }
    return -1;
}

} // namespace korvelin
