// Printing: LPRINT lines, form feeds and documents, page breaks, printer
// files, COPY's page and vertical writing, checked in the PDF that the
// printer device produced (pdftotext and pdfimages of poppler-utils).

#include "devices/PdfPrintTarget.h"
#include "devices/PrinterPage.h"
#include "support/GuiEnvironment.h"
#include "support/RunProgram.h"

#include <QGuiApplication>
#include <QIODevice>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korvelin::testing {
namespace {

[[maybe_unused]] ::testing::Environment* const gui = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

QString runTool(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

class PrinterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
        pdfPath = dir.filePath(QStringLiteral("out.pdf"));
        target = std::make_unique<PdfPrintTarget>(pdfPath);
    }

    // Runs the program with the PDF as printer and ends the application.
    ProgramRun& print(std::u16string_view program, PrinterFont font = {}) {
        run.in->printer.setTarget(target.get());
        run.in->printer.setFont(font);
        run.run(program);
        finish();
        return run;
    }
    void finish() {
        run.in->printer.endDocument();
        run.in->printer.setTarget(nullptr);
        EXPECT_TRUE(target->finish());
    }
    // The pages' text, one string per page.
    QStringList pages(bool layout = false) {
        QStringList arguments;
        if (layout) arguments << QStringLiteral("-layout");
        arguments << pdfPath << QStringLiteral("-");
        QStringList result = runTool(QStringLiteral("pdftotext"), arguments).split(QLatin1Char('\f'));
        result.removeLast(); // after the last page's form feed
        for (QString& page : result)
            page = page.trimmed();
        return result;
    }

    QTemporaryDir dir;
    QString pdfPath;
    std::unique_ptr<PdfPrintTarget> target;
    ProgramRun run;
};

TEST_F(PrinterTest, FormFeedsEndDocumentsAndEmptyLinesPrintNothing) {
    print(u"10 LPRINT \"A\";CHR$(12);\"B\"\n20 LPRINT\n30 LPRINT \"C\";\n40 LPRINT \"D\"\n"
          u"50 LPRINT CHR$(12)\n60 LPRINT USING \"###.##\";3.14159");
    EXPECT_FALSE(run.failed()) << QString::fromStdU16String(run.lastError()).toStdString();
    // A | B, the empty LPRINT, CD, the form feed's empty line | 3.14
    EXPECT_EQ(target->documents(), 3);
    EXPECT_EQ(pages(), (QStringList{"A", "B\nCD", "3.14"}));
    EXPECT_TRUE(pages(true)[2].startsWith(QStringLiteral("3.14"))); // trimmed "  3.14"
}

TEST_F(PrinterTest, NothingPrintedLeavesNoDocument) {
    print(u"10 LPRINT\n20 LPRINT \"\"\n30 PRINT 1");
    EXPECT_EQ(target->documents(), 0);
    EXPECT_EQ(pages(), QStringList{""}); // a blank PDF page
}

TEST_F(PrinterTest, FullPagesBreakAndLongLinesContinue) {
    print(u"10 FOR I=1 TO 150: LPRINT \"LINE\";I: NEXT\n20 LPRINT STRING$(300,\"X\")");
    EXPECT_EQ(target->documents(), 1);
    const QStringList p = pages();
    ASSERT_GE(p.size(), 2);
    EXPECT_TRUE(p[0].startsWith(QStringLiteral("LINE 1\nLINE 2\n")));
    const QString all = p.join(QLatin1Char('\n'));
    int last = -1;
    for (int i = 1; i <= 150; ++i) {
        const int at = static_cast<int>(all.indexOf(QStringLiteral("LINE %1\n").arg(i)));
        ASSERT_GT(at, last) << i;
        last = at;
    }
    EXPECT_EQ(all.count(QLatin1Char('X')), 300);
    EXPECT_GT(all.section(QStringLiteral("LINE 150"), 1).count(QLatin1Char('\n')), 1); // wrapped
}

TEST_F(PrinterTest, PrinterLineSharesEntryZeroWithTheConsole) {
    struct Console : ConsoleTranscript {
        std::u16string text;
        void consoleText(std::u16string_view t) override { text += t; }
        void consoleLineEnd() override { text += u'\n'; }
    } console;
    run.in->screen.transcript = &console;
    print(u"10 LPRINT \"A\";\n20 PRINT \"B\"\n30 LPRINT \"X\",;");
    EXPECT_EQ(console.text, u"AB\n");
    // The zone after "X" counts from the printer line's own column.
    EXPECT_EQ(run.in->files.entry(0).lineBuffer, "X" + std::string(13, ' ') + "");
    EXPECT_EQ(target->documents(), 0);
}

TEST_F(PrinterTest, PrinterFilesPrintLinesAndEndOnClose) {
    PrinterDevice& printer = run.in->printer;
    printer.setTarget(target.get());
    {
        std::unique_ptr<QIODevice> file = printer.openPrinterFile();
        file->write("ONE\r\nTWO\x0cTHREE\r\n\x83\x65\x83\x58\x83\x67"); // テスト, unfinished
        EXPECT_TRUE(printer.documentOpen());
        file->close();
        EXPECT_FALSE(printer.documentOpen());
    }
    finish();
    EXPECT_EQ(pages(), (QStringList{"ONE\nTWO", "THREE\nテスト"}));
}

TEST_F(PrinterTest, EndlessPendingLinesGoOutInPieces) {
    print(u"10 FOR I=1 TO 9000: LPRINT \"ABCDEFGH\";: NEXT\n20 L=LEN(X$)");
    EXPECT_FALSE(run.failed());
    EXPECT_LT(run.in->files.entry(0).lineBuffer.size(), PrinterDevice::LongestPendingLine);
    EXPECT_EQ(target->documents(), 1);
}

TEST_F(PrinterTest, CopyPrintsTheWindowAsAPageOfItsOwn) {
    print(u"10 LPRINT \"BEFORE\"\n20 COPY 1\n30 LPRINT \"AFTER\"");
    EXPECT_FALSE(run.failed());
    EXPECT_EQ(target->documents(), 3);
    EXPECT_EQ(pages(), (QStringList{"BEFORE", "", "AFTER"}));
    if (QStandardPaths::findExecutable(QStringLiteral("pdfimages")).isEmpty()) return;
    const QStringList images =
        runTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdfPath}).split(QLatin1Char('\n'));
    ASSERT_GE(images.size(), 3);
    // page 2 holds one image at the window's size
    const QStringList fields = images[2].simplified().split(QLatin1Char(' '));
    EXPECT_EQ(fields[0], QStringLiteral("2"));
    EXPECT_EQ(fields[3], QString::number(run.in->screen.windowImage().width()));
    EXPECT_EQ(fields[4], QString::number(run.in->screen.windowImage().height()));
}

TEST_F(PrinterTest, VerticalFontWritesColumnsRightToLeft) {
    PrinterFontSettings settings;
    settings.PrinterFontVertical = QStringLiteral("True");
    settings.PrinterFontSize = QStringLiteral("20");
    const PrinterFont font = applyPrinterFont(settings);
    EXPECT_EQ(font.name, QStringLiteral("@ＭＳ 明朝"));
    print(u"10 LPRINT \"漢字\"\n20 LPRINT \"縦書\"", font);
    // Each character's box: the first line's characters stand one below the
    // other, the second line is a column to the left of the first.
    const QString xml =
        runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdfPath, QStringLiteral("-")});
    const QRegularExpression word(
        QStringLiteral("xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" yMax=\"[0-9.]+\">([^<]+)<"));
    std::map<QString, std::pair<double, double>> at;
    for (auto m = word.globalMatch(xml); m.hasNext();) {
        const auto match = m.next();
        const QString text = match.captured(3);
        for (qsizetype i = 0; i < text.size(); ++i)
            at.emplace(text.mid(i, 1),
                       std::make_pair(match.captured(1).toDouble(), match.captured(2).toDouble()));
    }
    ASSERT_TRUE(at.count(QStringLiteral("漢")) && at.count(QStringLiteral("字")) &&
                at.count(QStringLiteral("縦")))
        << xml.toStdString();
    EXPECT_NEAR(at[QStringLiteral("漢")].first, at[QStringLiteral("字")].first, 2.0);
    EXPECT_GT(at[QStringLiteral("字")].second, at[QStringLiteral("漢")].second + 10);
    EXPECT_LT(at[QStringLiteral("縦")].first, at[QStringLiteral("漢")].first - 10);
    EXPECT_NEAR(at[QStringLiteral("縦")].second, at[QStringLiteral("漢")].second, 2.0);
}

// A printer that cannot take a document: the host-failure error.
class NoPrinter : public PrintTarget {
  public:
    QPainter* beginDocument() override { return nullptr; }
    bool newPage() override { return false; }
    bool endDocument() override { return true; }
};

TEST(PrinterFailure, NoPrinterIsError21AndNothingToPrintIsNone) {
    NoPrinter none;
    ProgramRun quiet;
    quiet.in->printer.setTarget(&none);
    quiet.run(u"10 LPRINT\n20 LPRINT \"A\";\n30 X=1");
    EXPECT_FALSE(quiet.failed());
    ProgramRun failing;
    failing.in->printer.setTarget(&none);
    failing.run(u"10 LPRINT \"A\"");
    EXPECT_EQ(failing.errorNumber(), 21);
    ProgramRun copy;
    copy.in->printer.setTarget(&none);
    copy.run(u"10 ON ERROR GOTO 100\n20 COPY\n30 END\n100 E=ERR: RESUME NEXT");
    EXPECT_EQ(copy.num(u"E!"), 21);
    // Without a printer at all (batch mode without --printer) output is dropped.
    ProgramRun dropped(u"10 LPRINT \"A\";CHR$(12);\"B\"\n20 COPY\n30 X=1");
    EXPECT_FALSE(dropped.failed());
}

TEST(PrinterFont, SettingsApplied) {
    PrinterFontSettings s;
    PrinterFont f = applyPrinterFont(s);
    EXPECT_EQ(f.name, QStringLiteral("ＭＳ 明朝"));
    EXPECT_FALSE(f.vertical());
    EXPECT_EQ(f.pointSize, 12);
    s.PrinterFontName = QStringLiteral("IPAGothic");
    s.PrinterFontSize = QStringLiteral("  9");
    s.PrinterFontBold = QStringLiteral("True");
    s.PrinterFontItalic = QStringLiteral("true");
    s.PrinterFontVertical = QStringLiteral("False");
    f = applyPrinterFont(s);
    EXPECT_EQ(f.name, QStringLiteral("IPAGothic"));
    EXPECT_EQ(f.pointSize, 9);
    EXPECT_TRUE(f.bold && f.italic);
    EXPECT_EQ(f.qfont().family(), QStringLiteral("IPAGothic"));
    s.PrinterFontSize = QStringLiteral("abc");
    EXPECT_EQ(applyPrinterFont(s).pointSize, 12);
    s.PrinterFontSize = QStringLiteral("0");
    EXPECT_EQ(applyPrinterFont(s).pointSize, 12);
    EXPECT_TRUE(isFullWidthForPrinting(u'漢'));
    EXPECT_FALSE(isFullWidthForPrinting(u'ｱ'));
    EXPECT_FALSE(isFullWidthForPrinting(u'A'));
}

} // namespace
} // namespace korvelin::testing
