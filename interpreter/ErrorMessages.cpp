#include "interpreter/ErrorMessages.h"

#include <array>

namespace korvelin {

namespace {

struct Entry {
    int number;
    std::u16string_view text;
};

constexpr Entry messages[] = {
    {1, u"文法エラーです。"},
    {2, u"NEXT文 に対応する FOR文 がありません。"},
    {3, u"RETURN文 に対応する GOSUB文 がありません。"},
    {4, u"READ文 に対応する DATA がありません。"},
    {5, u"命令や関数の使い方が不正です。"},
    {6, u"オーバーフローしました。"},
    {8, u"指定された行番号がありません。"},
    {9, u"配列変数の添字が範囲外です。"},
    {10, u"配列またはユーザ関数の二重定義です。"},
    {11, u"０による割り算を実行しました。"},
    {13, u"変数の型が一致しません。"},
    {18, u"定義されていないユーザ関数です。"},
    {20, u"エラー未発生で RESUME文 を実行しました。"},
    {21, u"メッセージの定義されていないエラーです。"},
    {22, u"必要なパラメタが指定されていません。"},
    {30, u"WEND文 に対応する WHILE文 がありません。"},
    {31, u"ラベルの二重定義です。"},
    {32, u"指定されたラベルがありません。"},
    {52, u"ファイル番号が不正です。"},
    {53, u"ファイルが見つかりません。"},
    {54, u"ファイルが既にオープンされています。"},
    {55, u"ファイルにこれ以上データがありません。"},
    {56, u"ファイル名が無効です。"},
    {60, u"ファイルがオープンされていません。"},
    {61, u"ファイルに書き込みできません。"},
    {62, u"ドライブの準備ができていません。"},
    {68, u"ディスクの空き領域が不足です。"},
    {73, u"ディスク間のリネームはできません。"},
};

constexpr std::array<std::u16string_view, ErrorMessageCount> buildTable() {
    std::array<std::u16string_view, ErrorMessageCount> table{};
    for (const Entry& e : messages)
        table[static_cast<std::size_t>(e.number)] = e.text;
    return table;
}

constexpr auto ErrorMessages = buildTable();

} // namespace

std::u16string_view errorMessage(int number) {
    if (number < 0 || number >= ErrorMessageCount) return {};
    return ErrorMessages[static_cast<std::size_t>(number)];
}

} // namespace korvelin
