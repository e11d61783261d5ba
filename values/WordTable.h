#pragma once
// Interned words. The lexer hands out word ids instead of texts, so that
// keyword tests, reserved-word checks and variable lookups work on integers.
// Keywords are interned first: a keyword's id is its Keyword value.

#include "values/Keywords.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace korvelin {

class WordTable {
  public:
    WordTable();

    int intern(std::u16string_view word);
    const std::u16string& text(int id) const { return words_[static_cast<std::size_t>(id)].text; }
    int size() const { return static_cast<int>(words_.size()); }

    // The word with a type suffix appended ("%", "!", "#" or "$"), interned once.
    int withSuffix(int id, char16_t suffix) {
        const int cached = words_[static_cast<std::size_t>(id)].suffixed[suffixSlot(suffix)];
        return cached >= 0 ? cached : internWithSuffix(id, suffix);
    }
    // True when the word already ends in a type suffix.
    bool hasSuffix(int id) const { return words_[static_cast<std::size_t>(id)].hasSuffix; }
    // True for names of user functions: words that begin with "FN".
    bool isFunctionName(int id) const { return words_[static_cast<std::size_t>(id)].functionName; }
    bool isStringName(int id) const { return words_[static_cast<std::size_t>(id)].stringName; }

    // findReservedWord's answer for this word, remembered after the first
    // question: -2 unknown yet, -3 the check failed (not a letter A..Z).
    int& reservedIndex(int id) { return words_[static_cast<std::size_t>(id)].reservedIndex; }

  private:
    static int suffixSlot(char16_t suffix) {
        return suffix == u'%' ? 0 : suffix == u'!' ? 1 : suffix == u'#' ? 2 : 3;
    }
    int internWithSuffix(int id, char16_t suffix);

    struct Word {
        std::u16string text;
        bool hasSuffix = false;
        bool functionName = false;
        bool stringName = false;
        int reservedIndex = -2;
        int suffixed[4] = {-1, -1, -1, -1};
    };
    std::vector<Word> words_;
    std::unordered_map<std::u16string, int> index_;
};

bool isTypeSuffix(char16_t c);

} // namespace korvelin
