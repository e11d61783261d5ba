#pragma once
// Qt's own dialogs and buttons in Japanese (はい/いいえ/キャンセル, 開く,
// 保存, ファイル名 ...), like the rest of the program: Qt's translations
// from the system's translations folder.

class QCoreApplication;

namespace korvelin {

// True when the Japanese translations were found and installed.
bool installJapaneseTranslations(QCoreApplication& app);

} // namespace korvelin
