#include "editor/Icons.h"

#include <QPainter>
#include <QPainterPath>

#include <map>

namespace korvelin {

namespace {

// How a fallback image looks: a theme icon name, a colour, and a shape or
// a short text drawn on a rounded tile.
enum class Shape { Text, Play, Pause, Stop, Resume };

struct ImageSpec {
    const char* themeName;
    QRgb colour;
    Shape shape;
    const char16_t* label;
};

const std::map<QString, ImageSpec>& imageSpecs() {
    static const std::map<QString, ImageSpec> specs = {
        {QStringLiteral("新規プログラム(&N)"), {"document-new", 0x3a7bd5, Shape::Text, u"新"}},
        {QStringLiteral("プログラムの読込み(&O)"), {"document-open", 0xd59b3a, Shape::Text, u"開"}},
        {QStringLiteral("プログラムの追加読込み(&A)"), {"list-add", 0xb08030, Shape::Text, u"+"}},
        {QStringLiteral("プログラムの保存(&S)"), {"document-save", 0x2d8f4e, Shape::Text, u"保"}},
        {QStringLiteral("名前を付けてプログラムを保存(&E)"),
         {"document-save-as", 0x2d8f4e, Shape::Text, u"名"}},
        {QStringLiteral("印刷(&P)"), {"document-print", 0x555555, Shape::Text, u"印"}},
        {QStringLiteral("実行(&G)"), {"media-playback-start", 0x1f9d3a, Shape::Play, nullptr}},
        {QStringLiteral("Korvelinの終了(&Q)"), {"application-exit", 0xaa3333, Shape::Text, u"終"}},
        {QStringLiteral("切り取り(&X)"), {"edit-cut", 0x7a5cc0, Shape::Text, u"切"}},
        {QStringLiteral("コピー(&C)"), {"edit-copy", 0x7a5cc0, Shape::Text, u"写"}},
        {QStringLiteral("貼り付け(&V)"), {"edit-paste", 0x7a5cc0, Shape::Text, u"貼"}},
        {QStringLiteral("文字列の検索(&F)"), {"edit-find", 0x3a8fb0, Shape::Text, u"検"}},
        {QStringLiteral("文字列の置換(&R)"), {"edit-find-replace", 0x3a8fb0, Shape::Text, u"置"}},
        {QStringLiteral("行番号の並べ替え(&S)"), {"view-sort-ascending", 0x8a6d3b, Shape::Text, u"並"}},
        {QStringLiteral("行番号の付け直し(&N)"), {"format-list-numbered", 0x8a6d3b, Shape::Text, u"番"}},
        {QStringLiteral("行番号の自動生成(&A)"), {"format-list-ordered", 0x8a6d3b, Shape::Text, u"自"}},
        {QStringLiteral("行番号の自動生成(&A).A"), {nullptr, 0xd04020, Shape::Text, u"自"}},
        {QStringLiteral("実行画面表示(&P)"), {"video-display", 0x30507a, Shape::Text, u"画"}},
        {QStringLiteral("実行画面ｸﾘｱ(&C)"), {"edit-clear", 0x30507a, Shape::Text, u"消"}},
        {QStringLiteral("ﾃﾞﾊﾞｯｸﾞ画面表示(&D)"), {"utilities-terminal", 0x404040, Shape::Text, u"デ"}},
        {QStringLiteral("命令一覧表示(&L)"), {"accessories-dictionary", 0x6a4c93, Shape::Text, u"命"}},
        {QStringLiteral("命令ｶｳﾝﾀ表示(&I)"), {nullptr, 0x6a4c93, Shape::Text, u"#"}},
        {QStringLiteral("開始(&G)"), {"media-playback-start", 0x1f9d3a, Shape::Play, nullptr}},
        {QStringLiteral("終了(&H)"), {"media-playback-stop", 0xc0392b, Shape::Stop, nullptr}},
        {QStringLiteral("中断(&I)"), {"media-playback-pause", 0xd4a017, Shape::Pause, nullptr}},
        {QStringLiteral("再開(&R)"), {"media-seek-forward", 0x1f9d3a, Shape::Resume, nullptr}},
        {QStringLiteral("ウォッチ式の追加(&A)"), {nullptr, 0x2e86ab, Shape::Text, u"W+"}},
        {QStringLiteral("ウォッチ式の削除(&D)"), {nullptr, 0x2e86ab, Shape::Text, u"W-"}},
        {QStringLiteral("ウォッチ式の編集(&E)"), {nullptr, 0x2e86ab, Shape::Text, u"W"}},
        {QStringLiteral("コール ヒストリ(&C)"), {nullptr, 0x2e86ab, Shape::Text, u"呼"}},
        {QStringLiteral("ﾌﾟﾘﾝﾀの設定(&P)"), {"printer", 0x555555, Shape::Text, u"設"}},
        {QStringLiteral("ﾌﾟﾘﾝﾀﾌｫﾝﾄの設定(&F)"), {"preferences-desktop-font", 0x555555, Shape::Text, u"字"}},
        {QStringLiteral("RS-232Cの設定(&R)"), {nullptr, 0x555555, Shape::Text, u"通"}},
        {QStringLiteral("ﾍﾙﾌﾟの表示(&H)"), {"help-contents", 0x2a6fdb, Shape::Text, u"?"}},
        {QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)"), {"help-about", 0x2a6fdb, Shape::Text, u"i"}},
    };
    return specs;
}

QPixmap drawImage(const ImageSpec& spec) {
    const int size = ImageList::imageSize;
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor colour = QColor::fromRgb(spec.colour);
    switch (spec.shape) {
    case Shape::Play: {
        QPainterPath path;
        path.moveTo(3, 2);
        path.lineTo(14, 8);
        path.lineTo(3, 14);
        path.closeSubpath();
        p.fillPath(path, colour);
        break;
    }
    case Shape::Pause:
        p.fillRect(QRectF(3, 2, 4, 12), colour);
        p.fillRect(QRectF(9, 2, 4, 12), colour);
        break;
    case Shape::Stop: p.fillRect(QRectF(3, 3, 10, 10), colour); break;
    case Shape::Resume: {
        p.fillRect(QRectF(2, 2, 3, 12), colour);
        QPainterPath path;
        path.moveTo(6, 2);
        path.lineTo(15, 8);
        path.lineTo(6, 14);
        path.closeSubpath();
        p.fillPath(path, colour);
        break;
    }
    case Shape::Text: {
        p.setBrush(colour);
        p.setPen(colour.darker(130));
        p.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), 3, 3);
        QFont font(QStringLiteral("IPAGothic"));
        const QString label = QString::fromUtf16(spec.label);
        font.setPixelSize(label.size() > 1 ? 9 : 12);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, label);
        break;
    }
    }
    return pixmap;
}

QPixmap greyed(const QPixmap& pixmap) {
    QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = 96 + qGray(line[x]) / 2;
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) / 2);
        }
    }
    return QPixmap::fromImage(image);
}

} // namespace

bool ImageList::hasImage(const QString& key) const {
    QString base = key;
    if (base.endsWith(QStringLiteral(".D"))) base.chop(2);
    return imageSpecs().count(base) > 0;
}

QPixmap ImageList::image(const QString& key) const {
    if (key.endsWith(QStringLiteral(".D"))) return greyed(image(key.left(key.size() - 2)));
    const auto found = imageSpecs().find(key);
    if (found == imageSpecs().end()) return {};
    const ImageSpec& spec = found->second;
    if (spec.themeName) {
        const QIcon themed = QIcon::fromTheme(QString::fromLatin1(spec.themeName));
        if (!themed.isNull()) {
            const QPixmap pixmap = themed.pixmap(imageSize, imageSize);
            if (!pixmap.isNull()) return pixmap;
        }
    }
    return drawImage(spec);
}

QIcon ImageList::icon(const QString& key) const {
    QIcon icon;
    const QPixmap normal = image(key);
    if (normal.isNull()) return icon;
    icon.addPixmap(normal, QIcon::Normal);
    icon.addPixmap(key.endsWith(QStringLiteral(".D")) ? normal : image(key + QStringLiteral(".D")),
                   QIcon::Disabled);
    return icon;
}

} // namespace korvelin
