// The menus and the toolbar as data: names, captions with their mnemonics,
// and which menu item each toolbar button stands for.

#include "editor/EditorMenuTable.h"

namespace korvelin {

const std::vector<MenuSpec>& menuTable() {
    static const std::vector<MenuSpec> table = {
        {"menu1",
         u"ﾌｧｲﾙ(&F)",
         {{"menu_new", u"新規プログラム(&N)"},
          {"menu_open", u"プログラムの読込み(&O)"},
          {"menu_add", u"プログラムの追加読込み(&A)"},
          {"menu_save", u"プログラムの保存(&S)"},
          {"menu_name", u"名前を付けてプログラムを保存(&E)"},
          {"menu_print", u"印刷(&P)"},
          {"menu_exec", u"実行(&G)"},
          {"menu_end", u"Korvelinの終了(&Q)"}}},
        {"menu2",
         u"編集(&E)",
         {{"menu_cut", u"切り取り(&X)"},
          {"menu_copy", u"コピー(&C)"},
          {"menu_paste", u"貼り付け(&V)"},
          {"menu_find", u"文字列の検索(&F)"},
          {"menu_replace", u"文字列の置換(&R)"},
          {"menu_sort", u"行番号の並べ替え(&S)"},
          {"menu_renum", u"行番号の付け直し(&N)"},
          {"menu_auto", u"行番号の自動生成(&A)"}}},
        {"menu3",
         u"表示(&V)",
         {{"menu_disp", u"実行画面表示(&P)"},
          {"menu_clear", u"実行画面ｸﾘｱ(&C)"},
          {"menu_debug", u"ﾃﾞﾊﾞｯｸﾞ画面表示(&D)"},
          {"menu_list", u"命令一覧表示(&L)"},
          {"menu_inst", u"命令ｶｳﾝﾀ表示(&I)"}}},
        {"menu4",
         u"実行(&R)",
         {{"menu_start", u"開始(&G)"},
          {"menu_halt", u"終了(&H)"},
          {"menu_stop", u"中断(&I)"},
          {"menu_resume", u"再開(&R)"}}},
        {"menu5",
         u"ﾃﾞﾊﾞｯｸﾞ(&D)",
         {{"menu_wadd", u"ウォッチ式の追加(&A)"},
          {"menu_wdelete", u"ウォッチ式の削除(&D)"},
          {"menu_wedit", u"ウォッチ式の編集(&E)"},
          {"menu_call", u"コール ヒストリ(&C)"}}},
        {"menu6",
         u"ｵﾌﾟｼｮﾝ(&O)",
         {{"menu_setprn", u"ﾌﾟﾘﾝﾀの設定(&P)"},
          {"menu_setpfont", u"ﾌﾟﾘﾝﾀﾌｫﾝﾄの設定(&F)"},
          {"menu_setrs", u"RS-232Cの設定(&R)"},
          {"menu_classic", u"旧方言モード(&C)"}}},
        {"menu7", u"ﾍﾙﾌﾟ(&H)", {{"menu_help", u"ﾍﾙﾌﾟの表示(&H)"}, {"menu_version", u"ﾊﾞｰｼﾞｮﾝ情報(&A)"}}},
    };
    return table;
}

const std::vector<ButtonSpec>& buttonTable() {
    static const std::vector<ButtonSpec> table = {
        {1, 1, "menu_new", u"新規プログラム(&N)", u"新規プログラム"},
        {2, 2, "menu_open", u"プログラムの読込み(&O)", u"プログラムの読込み"},
        {3, 3, "menu_save", u"プログラムの保存(&S)", u"プログラムの保存"},
        {5, 4, "menu_print", u"印刷(&P)", u"印刷"},
        {6, 5, "menu_setprn", u"ﾌﾟﾘﾝﾀの設定(&P)", u"実行画面の印刷"},
        {7, 6, "menu_debug", u"ﾃﾞﾊﾞｯｸﾞ画面表示(&D)", u"デバッグ画面表示"},
        {8, 7, "menu_list", u"命令一覧表示(&L)", u"命令一覧表示"},
        {10, 8, "menu_cut", u"切り取り(&X)", u"切り取り"},
        {11, 9, "menu_copy", u"コピー(&C)", u"コピー"},
        {12, 10, "menu_paste", u"貼り付け(&V)", u"貼り付け"},
        {14, 11, "menu_exec", u"開始(&G)", u"実行開始"},
        {15, 12, "menu_stop", u"中断(&I).D", u"中断"},
        {16, 13, "menu_halt", u"終了(&H).D", u"終了"},
        {18, 14, "menu_sort", u"行番号の並べ替え(&S)", u"行番号の並べ替え"},
        {19, 15, "menu_renum", u"行番号の付け直し(&N)", u"行番号の付け直し"},
        {20, 16, "menu_auto", u"行番号の自動生成(&A)", u"行番号の自動生成"},
        {22, 17, "menu_help", u"ﾍﾙﾌﾟの表示(&H)", u"ヘルプの表示"},
    };
    return table;
}

} // namespace korvelin
