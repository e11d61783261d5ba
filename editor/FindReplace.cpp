#include "editor/FindReplace.h"

namespace korvelin {

namespace {

// One search from the caret. After the wrap only occurrences that begin
// before the starting place count: the ones after it were offered already.
class ForwardSearch {
  public:
    ForwardSearch(SearchDocument& document, int caret, const QString& searchText)
        : document_(document), searchText_(searchText), searchStart_(caret), searchPos_(caret) {}

    // The next occurrence, or -1 when the search has come round.
    int next() {
        for (;;) {
            if (wrapped_ && searchPos_ >= searchStart_) return -1;
            const int found = static_cast<int>(document_.text().indexOf(searchText_, searchPos_));
            if (found >= 0 && !(wrapped_ && found >= searchStart_)) return found;
            if (wrapped_) return -1;
            wrapped_ = true;
            searchPos_ = 0;
        }
    }
    void continueAfter(int position) { searchPos_ = position; }
    // A replacement before the starting place moves it.
    void shiftStart(int delta) {
        if (wrapped_) searchStart_ += delta;
    }

  private:
    SearchDocument& document_;
    const QString& searchText_;
    int searchStart_;
    int searchPos_;
    bool wrapped_ = false;
};

} // namespace

QString searchTextOf(const QString& field) {
    qsizetype end = field.size();
    while (end > 0 && field[end - 1] == QLatin1Char(' '))
        --end;
    return field.left(end);
}

int findOccurrences(SearchDocument& document, int caret, const QString& searchText,
                    const SearchQuestion& ask) {
    if (searchText.isEmpty()) return 0;
    const int length = static_cast<int>(searchText.size());
    ForwardSearch search(document, caret, searchText);
    int hits = 0;
    for (int found = search.next(); found >= 0; found = search.next()) {
        document.select(found, length);
        if (ask() != SearchAnswer::Yes) break;
        ++hits;
        search.continueAfter(found + length);
    }
    return hits;
}

int replaceOccurrences(SearchDocument& document, int caret, const QString& searchText,
                       const QString& replacement, const SearchQuestion& ask) {
    if (searchText.isEmpty()) return 0;
    const int length = static_cast<int>(searchText.size());
    const int newLength = static_cast<int>(replacement.size());
    ForwardSearch search(document, caret, searchText);
    int hits = 0;
    for (int found = search.next(); found >= 0; found = search.next()) {
        document.select(found, length);
        const SearchAnswer answer = ask();
        if (answer == SearchAnswer::Cancel) break;
        if (answer == SearchAnswer::No) {
            search.continueAfter(found + length);
            continue;
        }
        ++hits;
        document.replaceSelection(replacement);
        search.continueAfter(found + newLength);
        search.shiftStart(newLength - length);
    }
    return hits;
}

} // namespace korvelin
