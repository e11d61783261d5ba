#include "platform/widgets/UserDialogs.h"

#include "platform/widgets/PrinterFontDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

namespace korvelin {

namespace {

const QString applicationTitle = QStringLiteral("Korvelin");

QString saveEncodingCaption(ProgramEncoding encoding) {
    switch (encoding) {
    case ProgramEncoding::Cp932: return QStringLiteral("Shift_JIS (CP932)");
    case ProgramEncoding::Utf8: return QStringLiteral("UTF-8");
    case ProgramEncoding::Utf8WithBom: return QStringLiteral("UTF-8 (BOM 付き)");
    }
    return {};
}

QString runFileDialog(QWidget* parent, QFileDialog::AcceptMode mode, const QString& title,
                      const QString& filter, const QString& directory, const QString& proposedName,
                      ProgramEncoding* encoding = nullptr) {
    QFileDialog dialog(parent, title, directory, filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!proposedName.isEmpty()) dialog.selectFile(proposedName);
    QComboBox* encodings = nullptr;
    if (encoding) {
        // Our own dialog, so that the choice of encoding can sit in it.
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        encodings = new QComboBox(&dialog);
        encodings->setObjectName(QStringLiteral("encoding"));
        for (ProgramEncoding e :
             {ProgramEncoding::Cp932, ProgramEncoding::Utf8, ProgramEncoding::Utf8WithBom})
            encodings->addItem(saveEncodingCaption(e), static_cast<int>(e));
        encodings->setCurrentIndex(encodings->findData(static_cast<int>(*encoding)));
        if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
            const int row = grid->rowCount();
            grid->addWidget(new QLabel(QStringLiteral("文字コード:"), &dialog), row, 0);
            grid->addWidget(encodings, row, 1);
        }
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    if (encodings) *encoding = static_cast<ProgramEncoding>(encodings->currentData().toInt());
    return dialog.selectedFiles().constFirst();
}

} // namespace

void UserDialogs::message(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
    QMessageBox box(icon, applicationTitle, text, QMessageBox::Ok, parent);
    if (!detail_.isEmpty()) box.setInformativeText(detail_);
    box.exec();
}

SaveAnswer UserDialogs::askToSave(QWidget* parent, const QString& text) {
    const auto answer =
        QMessageBox::question(parent, applicationTitle, text,
                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Yes) return SaveAnswer::Yes;
    if (answer == QMessageBox::No) return SaveAnswer::No;
    return SaveAnswer::Cancel;
}

QString UserDialogs::openFileName(QWidget* parent, const QString& title, const QString& filter,
                                  const QString& directory, const QString& proposedName) {
    return runFileDialog(parent, QFileDialog::AcceptOpen, title, filter, directory, proposedName);
}

QString UserDialogs::saveFileName(QWidget* parent, const QString& title, const QString& filter,
                                  const QString& directory, const QString& proposedName) {
    return runFileDialog(parent, QFileDialog::AcceptSave, title, filter, directory, proposedName,
                         saveEncoding);
}

bool UserDialogs::confirmOverwrite(QWidget* parent, const QString& path) {
    const auto answer = QMessageBox::question(
        parent, applicationTitle, QStringLiteral("%1 は既に存在します。\n上書きしますか？").arg(path),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    return answer == QMessageBox::Yes;
}

QString UserDialogs::aboutText() {
    return QStringLiteral("<b>Korvelin</b> バージョン %1<br><br>"
                          "日本語拡張付き行番号 BASIC の開発環境とインタプリタ")
        .arg(QStringLiteral(KORVELIN_VERSION));
}

void UserDialogs::about(QWidget* parent) {
    QMessageBox::about(parent, QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"), aboutText());
}

void UserDialogs::openDocument(const QString& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void UserDialogs::beep() {
    QApplication::beep();
}

bool UserDialogs::printSetup(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool UserDialogs::printerFont(QWidget* parent, PrinterFontSettings& settings) {
    PrinterFontDialog dialog(settings, parent);
    return dialog.exec() == QDialog::Accepted;
}

QMessageBox::StandardButton UserDialogs::ask(QWidget* parent, const QString& title, const QString& text,
                                             QMessageBox::StandardButtons buttons) {
    QMessageBox box(QMessageBox::Question, title, text, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void UserDialogs::inform(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

void UserDialogs::showModal(QDialog& dialog) {
    dialog.exec();
}

} // namespace korvelin
