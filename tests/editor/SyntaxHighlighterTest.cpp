// Syntax colours: what each part of a line is coloured as, and how long a
// keystroke takes in a 4,000-line program.

#include "editor/SyntaxHighlighter.h"
#include "support/EditorHarness.h"

#include <QElapsedTimer>
#include <QTest>
#include <gtest/gtest.h>

namespace korvelin::testing {
namespace {

using Part = SyntaxHighlighter::Part;

TEST(SyntaxHighlighter, LineNumbersReservedWordsStringsAndComments) {
    KeywordTable words;
    words.loadBuiltin();
    QTextDocument document;
    SyntaxHighlighter colours(&document, words);
    struct Case {
        const char16_t* line;
        int index;
        Part part;
    };
    const std::vector<Case> cases = {
        {u"  120 PRINT A", 2, Part::LineNumber},
        {u"  120 PRINT A", 6, Part::Word},
        {u"  120 PRINT A", 12, Part::Plain},         // a variable
        {u"10 A$=LEFT$(B$,2)", 3, Part::Plain},      // A$ is a name
        {u"10 A$=LEFT$(B$,2)", 10, Part::Word},      // the $ belongs to LEFT$
        {u"10 print \"REM ' x\"", 4, Part::Word},    // reserved words in any case
        {u"10 print \"REM ' x\"", 11, Part::String}, // REM and ' inside a string
        {u"10 print \"REM ' x\"", 17, Part::String},
        {u"10 X=1 ' note PRINT", 15, Part::Comment},
        {u"10 X=1:REM note PRINT", 7, Part::Comment},
        {u"10 X=1:REM note PRINT", 18, Part::Comment},
        {u"10 PRINT \"open", 13, Part::String}, // unterminated: to the end
        {u"10 FOR I=1 TO 9", 11, Part::Word},
        {u"10 FORMAT=1", 4, Part::Plain}, // a name that starts like a word
        {u"10 PRINT 漢字", 9, Part::Plain},
    };
    for (const Case& c : cases)
        EXPECT_EQ(colours.partAt(QString::fromUtf16(c.line), c.index), c.part)
            << QString::fromUtf16(c.line).toStdString() << " @" << c.index;
}

TEST(SyntaxHighlighter, TypingInA4000LineProgramStaysFast) {
    EditorHarness h;
    QString program;
    for (int line = 1; line <= 4000; ++line)
        program += QStringLiteral("%1 IF A(%1)>0 THEN PRINT \"VALUE\";A(%1):REM line %1\n").arg(line * 10);
    QElapsedTimer load;
    load.start();
    h.type(program);
    const qint64 loadMs = load.elapsed();
    QTextCursor cursor(h.text().document()->findBlockByNumber(2000));
    h.text().setTextCursor(cursor);
    constexpr int keys = 200;
    QElapsedTimer typing;
    typing.start();
    for (int i = 0; i < keys; ++i)
        QTest::keyClick(&h.text(), i % 2 ? Qt::Key_Backspace : Qt::Key_X);
    const double perKeyMs = typing.nsecsElapsed() / 1e6 / keys;
    std::printf("4,000 lines: loaded and coloured in %lld ms; %.3f ms per keystroke\n",
                static_cast<long long>(loadMs), perKeyMs);
    EXPECT_LT(perKeyMs, 16.0); // within one frame
}

} // namespace
} // namespace korvelin::testing
