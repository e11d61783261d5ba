#pragma once
// The questions and messages the editor puts to the user. The windows ask
// through this interface so that tests can answer in place of a person.

#include "devices/ProgramFile.h"
#include "platform/Settings.h"

#include <QMessageBox>
#include <QString>

class QPrinter;
class QDialog;
class QWidget;

namespace korvelin {

enum class SaveAnswer { Yes, No, Cancel };

class UserDialogs {
  public:
    virtual ~UserDialogs() = default;
    // A message box with an OK button, titled with the application's title.
    virtual void message(QWidget* parent, QMessageBox::Icon icon, const QString& text);
    // Yes / No / Cancel: save the changed program first?
    virtual SaveAnswer askToSave(QWidget* parent, const QString& text);
    // The common Open and Save dialogs; an empty name means cancelled.
    // The Save dialog asks before it lets an existing file be overwritten.
    virtual QString openFileName(QWidget* parent, const QString& title, const QString& filter,
                                 const QString& directory, const QString& proposedName);
    virtual QString saveFileName(QWidget* parent, const QString& title, const QString& filter,
                                 const QString& directory, const QString& proposedName);
    // The program was given another name than the dialog checked: may an
    // existing file of that name be replaced?
    virtual bool confirmOverwrite(QWidget* parent, const QString& path);
    virtual void about(QWidget* parent);
    // Opens a document with the desktop's viewer for its kind.
    virtual void openDocument(const QString& path);
    virtual void beep();
    // The print-setup dialog on a printer; false when cancelled.
    virtual bool printSetup(QWidget* parent, QPrinter& printer);
    // The printer-font dialog (modal); true when its choice was stored.
    virtual bool printerFont(QWidget* parent, PrinterFontSettings& settings);
    // A question with the question icon and its own title; the button pressed.
    virtual QMessageBox::StandardButton ask(QWidget* parent, const QString& title, const QString& text,
                                            QMessageBox::StandardButtons buttons);
    // A message with an OK button and its own title, no icon.
    virtual void inform(QWidget* parent, const QString& title, const QString& text);
    // Shows a dialog modally until it is hidden.
    virtual void showModal(QDialog& dialog);

    // The about box's text: the program's name, version and what it is.
    static QString aboutText();

    // A line shown below the text of the messages that follow (the host
    // path of the file a message is about); "" for none.
    void setDetail(const QString& detail) { detail_ = detail; }
    const QString& detail() const { return detail_; }
    // While set, the Save dialog also offers the file's encoding, starting
    // from this value, and leaves the choice in it.
    ProgramEncoding* saveEncoding = nullptr;

  private:
    QString detail_;
};

} // namespace korvelin
