#pragma once
// The reserved words of the language: statement keywords, built-in function
// names, operator words and the clause words statements read (THEN, TO, AS ...).
// A name found here cannot be used as a variable.
//
// The table is read from the reserved-word file KORVELIN.DAT, which lists the
// words grouped by initial letter, one per line or separated by commas. Each
// letter's run is remembered by its first index and its length, and a lookup
// compares the word only with the run of its own initial letter.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvelin {

class KeywordTable {
  public:
    static constexpr int capacity = 211; // items beyond this are not read
    static constexpr int letterCount = 26;

    // An empty table: no words, no letter has a run.
    KeywordTable();

    // Replaces the table with the words of a reserved-word file's contents.
    // Items are separated by commas and line ends; blanks around an item are
    // dropped and empty items skipped. Reading stops at the first item that
    // does not start with a letter "A".."Z" (the file format only promises
    // that items before "A" end it; an item past "Z" has no run to go into,
    // so it ends the file as well). When an initial letter appears in two
    // separate runs, the later run replaces the earlier one.
    void loadFromText(std::string_view fileBytes);
    // Loads the file at path; false (and the table unchanged) when it cannot be read.
    bool loadFromFile(const std::string& path);
    // Loads the copy of the shipped file that is compiled into the program.
    void loadBuiltin();

    // Index of the word in the table, or -1 when it is no reserved word.
    // The word must start with an upper-case letter "A".."Z"; anything else
    // throws HostFailure (Other), which the interpreter reports as error 21.
    int findReservedWord(std::u16string_view word) const;

    int size() const noexcept { return static_cast<int>(entries_.size()); }
    const std::u16string& entry(int index) const { return entries_.at(static_cast<std::size_t>(index)); }
    // letter is 0 for "A" .. 25 for "Z". First index -1 means no run.
    int keywordFirstIndex(int letter) const {
        return keywordFirstIndex_.at(static_cast<std::size_t>(letter));
    }
    int keywordCount(int letter) const { return keywordCount_.at(static_cast<std::size_t>(letter)); }

  private:
    std::vector<std::u16string> entries_;
    std::array<std::int16_t, letterCount> keywordFirstIndex_;
    std::array<std::int16_t, letterCount> keywordCount_;
};

} // namespace korvelin
