#include "values/WordTable.h"

namespace korvelin {

namespace {

constexpr std::u16string_view keywordTexts[] = {
#define KORVELIN_KEYWORD_TEXT(name, text) u"" text,
    KORVELIN_KEYWORDS(KORVELIN_KEYWORD_TEXT)
#undef KORVELIN_KEYWORD_TEXT
};

} // namespace

std::u16string_view keywordText(Keyword keyword) {
    return keywordTexts[keyword];
}

bool isTypeSuffix(char16_t c) {
    return c == u'%' || c == u'!' || c == u'#' || c == u'$';
}

WordTable::WordTable() {
    for (std::u16string_view text : keywordTexts)
        intern(text);
}

int WordTable::intern(std::u16string_view word) {
    std::u16string key(word);
    if (auto found = index_.find(key); found != index_.end()) return found->second;
    int id = static_cast<int>(words_.size());
    Word entry;
    entry.text = key;
    entry.hasSuffix = !key.empty() && isTypeSuffix(key.back());
    entry.functionName = key.size() >= 2 && key[0] == u'F' && key[1] == u'N';
    entry.stringName = !key.empty() && key.back() == u'$';
    words_.push_back(std::move(entry));
    index_.emplace(std::move(key), id);
    return id;
}

int WordTable::internWithSuffix(int id, char16_t suffix) {
    const int slot = suffixSlot(suffix);
    std::u16string full = words_[static_cast<std::size_t>(id)].text + suffix;
    int fullId = intern(full);
    words_[static_cast<std::size_t>(id)].suffixed[slot] = fullId;
    return fullId;
}

} // namespace korvelin
