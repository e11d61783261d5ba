// Saving text that Shift-JIS cannot hold asks first: UTF-8, or no save at
// all and the text stays unsaved; never a file with "?" in its place.

#include "support/EditorHarness.h"

#include <gtest/gtest.h>

namespace korvelin::testing {
namespace {

TEST(EditorSaveWarning, CharactersCp932LacksAreSavedAsUtf8OrNotAtAll) {
    EditorHarness h;
    const QString program = QStringLiteral("10 A$=\"café 😀\"\n");
    h.type(program);
    h.text().document()->setModified(true); // as typing leaves it
    h.dialogs.saveAnswer = h.path(QStringLiteral("CAFE.BAS"));
    h.dialogs.saveAnswers = {SaveAnswer::No};
    h.editor().menu_name_Click();
    EXPECT_EQ(h.dialogs.saveQuestions, 1);
    EXPECT_TRUE(h.readFile(QStringLiteral("CAFE.BAS")).isEmpty());
    EXPECT_TRUE(h.editor().isModified());

    h.dialogs.saveAnswers = {SaveAnswer::Yes};
    h.editor().menu_name_Click();
    EXPECT_EQ(h.readFile(QStringLiteral("CAFE.BAS")),
              "\xEF\xBB\xBF" + QStringLiteral("10 A$=\"café 😀\"\r\n").toUtf8());
    EXPECT_FALSE(h.editor().isModified());
    // From now on the file is UTF-8 and saving asks nothing more.
    h.editor().menu_save_Click();
    EXPECT_EQ(h.dialogs.saveQuestions, 2);
}

} // namespace
} // namespace korvelin::testing
