// The editor's printing commands: 印刷 prints the listing after what a
// program left in the open document, ﾌﾟﾘﾝﾀの設定 only sets up, toolbar
// button 6 prints the execution window, ﾌﾟﾘﾝﾀﾌｫﾝﾄの設定 applies the font.
// The scripted print dialog points the printer at a PDF file.

#include "support/EditorHarness.h"

#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace korvelin::testing {
namespace {

QString pdfText(const QString& path) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

bool havePdfTools() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

TEST(EditorPrinting, PrintListsTheProgramAfterWhatTheProgramPrinted) {
    if (!havePdfTools()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    EditorHarness h;
    h.dialogs.printFile = h.path(QStringLiteral("listing.pdf"));
    // A cancelled dialog prints nothing.
    h.editor().menu_print_Click();
    EXPECT_EQ(h.dialogs.printSetups, 1);
    EXPECT_FALSE(QFile::exists(h.dialogs.printFile));

    h.dialogs.printSetupAnswer = true;
    h.editor().menu_setprn_Click(); // set-up only
    EXPECT_FALSE(QFile::exists(h.dialogs.printFile));
    h.type(QStringLiteral("10 LPRINT \"FROM THE PROGRAM\"\n20 PRINT \"漢字\"\n"));
    h.run();
    EXPECT_TRUE(h.in().printer.documentOpen()); // no form feed yet
    h.editor().menu_print_Click();
    EXPECT_FALSE(h.in().printer.documentOpen());
    const QString text = pdfText(h.dialogs.printFile);
    EXPECT_TRUE(text.startsWith(
        QStringLiteral("FROM THE PROGRAM\n10 LPRINT \"FROM THE PROGRAM\"\n20 PRINT \"漢字\"\n")))
        << text.toStdString();
}

TEST(EditorPrinting, ToolbarButtonSixPrintsTheExecutionWindow) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdfimages")).isEmpty())
        GTEST_SKIP() << "pdfimages (poppler-utils) is not installed";
    EditorHarness h;
    h.dialogs.printFile = h.path(QStringLiteral("screen.pdf"));
    h.editor().Toolbar1_ButtonClick(6);
    EXPECT_EQ(h.editor().state.ToolbarAction, 5);
    EXPECT_FALSE(QFile::exists(h.dialogs.printFile)); // cancelled
    h.dialogs.printSetupAnswer = true;
    h.editor().Toolbar1_ButtonClick(6);
    QProcess list;
    list.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), h.dialogs.printFile});
    list.waitForFinished(30000);
    const QStringList lines =
        QString::fromUtf8(list.readAllStandardOutput()).trimmed().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 3); // two heading lines, one image
    EXPECT_TRUE(lines[2].simplified().startsWith(QStringLiteral("1 0 image"))) << lines[2].toStdString();
}

TEST(EditorPrinting, FontDialogChoiceIsStoredAndApplied) {
    EditorHarness h;
    EXPECT_EQ(h.in().printer.font().name, QStringLiteral("ＭＳ 明朝")); // applied at start-up
    h.dialogs.printerFontChoice.PrinterFontName = QStringLiteral("ＭＳ ゴシック");
    h.dialogs.printerFontChoice.PrinterFontVertical = QStringLiteral("True");
    h.dialogs.printerFontChoice.PrinterFontSize = QStringLiteral("10");
    h.editor().menu_setpfont_Click(); // cancelled
    EXPECT_EQ(h.session->settings.printerFont.PrinterFontName, QStringLiteral("ＭＳ 明朝"));
    h.dialogs.printerFontAnswer = true;
    h.editor().menu_setpfont_Click();
    EXPECT_EQ(h.dialogs.printerFontDialogs, 2);
    EXPECT_EQ(h.session->settings.printerFont.PrinterFontName, QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(h.in().printer.font().name, QStringLiteral("@ＭＳ ゴシック"));
    EXPECT_EQ(h.in().printer.font().pointSize, 10);

    // PUT ... KANJI and the dialog share the name: the dialog offers the
    // last PUT's, and the last choice is what the settings file keeps.
    h.type(QStringLiteral("10 PUT (0,0),KANJI(&H2422),PSET,,,1,1,\"ＭＳ Ｐ明朝\"\n"));
    h.run();
    h.dialogs.printerFontAnswer = false;
    h.editor().menu_setpfont_Click();
    EXPECT_EQ(h.dialogs.offeredPrinterFontName, QStringLiteral("ＭＳ Ｐ明朝"));
    h.dialogs.printerFontAnswer = true;
    h.editor().menu_setpfont_Click();
    h.dialogs.saveAnswers.push_back(SaveAnswer::No);
    h.editor().close();
    Settings reread;
    reread.load(h.folder.path() + QLatin1Char('/'));
    EXPECT_EQ(reread.printerFont.PrinterFontName, QStringLiteral("ＭＳ ゴシック"));
}

// Run by tests/editor/cups-pdf.sh with a private CUPS and its cups-pdf queue.
TEST(EditorPrinting, ListingReachesACupsQueue) {
    const QString queue = qEnvironmentVariable("KORVELIN_CUPS_PRINTER");
    if (queue.isEmpty()) GTEST_SKIP() << "no CUPS queue given (tests/editor/cups-pdf.sh sets one up)";
    ASSERT_TRUE(QPrinterInfo::availablePrinterNames().contains(queue));
    EditorHarness h;
    QPrinter& printer = h.session->systemPrinter.printerToSetUp();
    printer.setPrinterName(queue);
    printer.setDocName(qEnvironmentVariable("KORVELIN_CUPS_TITLE"));
    h.dialogs.printSetupAnswer = true;
    h.type(QStringLiteral("10 PRINT \"CUPS\"\n20 LPRINT \"漢字\";CHR$(12)\n"));
    h.run();
    EXPECT_EQ(h.in().errors.errorNumber, 0);
    h.editor().menu_print_Click();
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST(EditorPrinting, NoPrinterMakesLprintError21) {
    if (!QPrinterInfo::availablePrinterNames().isEmpty()) GTEST_SKIP() << "this machine has a printer";
    EditorHarness h;
    h.type(QStringLiteral("10 LPRINT\n20 LPRINT \"A\"\n"));
    h.run();
    EXPECT_EQ(h.in().errors.errorNumber, 21);
    EXPECT_EQ(h.in().errors.errorLine, 20);
}

} // namespace
} // namespace korvelin::testing
