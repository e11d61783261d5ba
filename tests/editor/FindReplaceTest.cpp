// The search loop on a plain document: the order of the occurrences, the
// wrap, the starting place after replacements, and the answers.

#include "editor/FindReplace.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

namespace korvelin::testing {
namespace {

struct PlainDocument : SearchDocument {
    explicit PlainDocument(QString t) : content(std::move(t)) {}
    QString text() const override { return content; }
    void select(int position, int length) override {
        selectionStart = position;
        selectionLength = length;
        offered.push_back(position);
    }
    void replaceSelection(const QString& replacement) override {
        content.replace(selectionStart, selectionLength, replacement);
    }
    QString content;
    int selectionStart = 0;
    int selectionLength = 0;
    std::vector<int> offered;
};

SearchQuestion answering(std::deque<SearchAnswer> answers) {
    return [answers]() mutable {
        if (answers.empty()) return SearchAnswer::Yes;
        const SearchAnswer a = answers.front();
        answers.pop_front();
        return a;
    };
}

TEST(Find, ForwardFromTheCaretThenOnceFromTheStartNeverTwice) {
    PlainDocument doc(QStringLiteral("ab ab ab ab"));
    EXPECT_EQ(findOccurrences(doc, 4, QStringLiteral("ab"), answering({})), 4);
    EXPECT_EQ(doc.offered, (std::vector<int>{6, 9, 0, 3}));

    // Only one occurrence, after the caret: offered once.
    PlainDocument single(QStringLiteral("xx ab"));
    EXPECT_EQ(findOccurrences(single, 1, QStringLiteral("ab"), answering({})), 1);
    EXPECT_EQ(single.offered, (std::vector<int>{3}));

    // Adjacent occurrences are both found; the one the caret stands in is found after the wrap.
    PlainDocument adjacent(QStringLiteral("abab"));
    EXPECT_EQ(findOccurrences(adjacent, 1, QStringLiteral("ab"), answering({})), 2);
    EXPECT_EQ(adjacent.offered, (std::vector<int>{2, 0}));

    // No ends the search at once; case matters; an empty text finds nothing.
    PlainDocument stop(QStringLiteral("ab AB ab"));
    EXPECT_EQ(findOccurrences(stop, 0, QStringLiteral("ab"), answering({SearchAnswer::No})), 0);
    EXPECT_EQ(stop.offered, (std::vector<int>{0}));
    EXPECT_EQ(findOccurrences(stop, 0, QString(), answering({})), 0);
}

TEST(Replace, NoSkipsCancelStopsAndTheStartMovesWithLongerText) {
    PlainDocument doc(QStringLiteral("a a a a"));
    // Caret at 4: replaces 4 and 6, wraps, replaces 0 and 2 with longer text.
    EXPECT_EQ(replaceOccurrences(doc, 4, QStringLiteral("a"), QStringLiteral("xyz"), answering({})), 4);
    EXPECT_EQ(doc.content, QStringLiteral("xyz xyz xyz xyz"));

    PlainDocument skip(QStringLiteral("a a a"));
    EXPECT_EQ(replaceOccurrences(skip, 0, QStringLiteral("a"), QStringLiteral("b"),
                                 answering({SearchAnswer::No, SearchAnswer::Yes, SearchAnswer::Cancel})),
              1);
    EXPECT_EQ(skip.content, QStringLiteral("a b a"));

    // A replacement that contains the search text is not searched again.
    PlainDocument grow(QStringLiteral("a-a"));
    EXPECT_EQ(replaceOccurrences(grow, 0, QStringLiteral("a"), QStringLiteral("aa"), answering({})), 2);
    EXPECT_EQ(grow.content, QStringLiteral("aa-aa"));
}

TEST(SearchText, TrailingBlanksAreNotSearched) {
    EXPECT_EQ(searchTextOf(QStringLiteral(" ab  ")), QStringLiteral(" ab"));
}

} // namespace
} // namespace korvelin::testing
