#pragma once
// Find and replace over the program text: forward from the caret, once
// around to the start, up to the starting place; the user confirms every
// occurrence. The document and the question are handed in, so the loop
// runs without windows.

#include <QString>

#include <functional>

namespace korvelin {

enum class SearchAnswer { Yes, No, Cancel };

class SearchDocument {
  public:
    virtual ~SearchDocument() = default;
    virtual QString text() const = 0;
    virtual void select(int position, int length) = 0;
    // Replaces the selection made by select().
    virtual void replaceSelection(const QString& replacement) = 0;
};

using SearchQuestion = std::function<SearchAnswer()>;

// Both return the number of occurrences the user confirmed. An empty
// search text finds nothing.
int findOccurrences(SearchDocument& document, int caret, const QString& searchText,
                    const SearchQuestion& ask);
int replaceOccurrences(SearchDocument& document, int caret, const QString& searchText,
                       const QString& replacement, const SearchQuestion& ask);

// The dialog's search text: trailing blanks removed.
QString searchTextOf(const QString& field);

} // namespace korvelin
