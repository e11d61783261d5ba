#pragma once
// The interactive program built as the application builds it, with a
// scripted user in place of the dialogs and a temporary folder as the
// program's own folder.

#include "app/EditorSession.h"
#include "editor/ProgramEditor.h"

#include <QPrinter>
#include <QTemporaryDir>
#include <QTextBlock>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace korvelin::testing {

class ScriptedDialogs : public UserDialogs {
  public:
    void message(QWidget* parent, QMessageBox::Icon, const QString& text) override {
        messages.push_back(text);
        details.push_back(detail());
        lastMessageParent = parent;
    }
    SaveAnswer askToSave(QWidget*, const QString&) override {
        ++saveQuestions;
        if (saveAnswers.empty()) return SaveAnswer::Cancel;
        const SaveAnswer answer = saveAnswers.front();
        saveAnswers.pop_front();
        return answer;
    }
    QString openFileName(QWidget*, const QString& title, const QString& filter, const QString&,
                         const QString& proposed) override {
        lastTitle = title;
        lastFilter = filter;
        lastProposed = proposed;
        ++fileDialogs;
        return openAnswer;
    }
    QString saveFileName(QWidget*, const QString& title, const QString& filter, const QString&,
                         const QString& proposed) override {
        lastTitle = title;
        lastFilter = filter;
        lastProposed = proposed;
        ++fileDialogs;
        offeredEncoding = saveEncoding != nullptr;
        if (saveEncoding && encodingAnswer) *saveEncoding = *encodingAnswer;
        return saveAnswer;
    }
    bool confirmOverwrite(QWidget*, const QString&) override {
        ++overwriteQuestions;
        return overwriteAnswer;
    }
    void about(QWidget*) override { ++aboutBoxes; }
    void openDocument(const QString& path) override { openedDocuments.push_back(path); }
    void beep() override { ++beeps; }
    // The print dialog: when answered, the printer prints into printFile (a PDF).
    bool printSetup(QWidget*, QPrinter& printer) override {
        ++printSetups;
        if (printSetupAnswer && !printFile.isEmpty()) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(printFile);
        }
        return printSetupAnswer;
    }
    bool printerFont(QWidget*, PrinterFontSettings& settings) override {
        ++printerFontDialogs;
        offeredPrinterFontName = settings.PrinterFontName;
        if (printerFontAnswer) settings = printerFontChoice;
        return printerFontAnswer;
    }
    QMessageBox::StandardButton ask(QWidget*, const QString& title, const QString& text,
                                    QMessageBox::StandardButtons) override {
        questions.push_back(title + QLatin1Char('|') + text);
        if (answers.empty()) return QMessageBox::No;
        const QMessageBox::StandardButton answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void inform(QWidget*, const QString& title, const QString& text) override {
        messages.push_back(title + QLatin1Char('|') + text);
    }
    // A modal dialog is handed to the script, which fills it in and presses
    // its buttons; without a script it stays unanswered (cancelled).
    void showModal(QDialog& dialog) override {
        ++modalDialogs;
        if (!dialogScripts.empty()) {
            auto script = std::move(dialogScripts.front());
            dialogScripts.pop_front();
            script(dialog);
        }
    }

    std::vector<QString> messages;
    std::vector<QString> details; // the line below each message's text
    std::optional<ProgramEncoding> encodingAnswer;
    bool offeredEncoding = false;
    QWidget* lastMessageParent = nullptr;
    std::deque<SaveAnswer> saveAnswers;
    int saveQuestions = 0;
    QString openAnswer;
    QString saveAnswer;
    bool overwriteAnswer = false;
    int overwriteQuestions = 0;
    QString lastTitle, lastFilter, lastProposed;
    int fileDialogs = 0;
    int aboutBoxes = 0;
    std::vector<QString> openedDocuments;
    int beeps = 0;
    bool printSetupAnswer = false;
    QString printFile;
    int printSetups = 0;
    bool printerFontAnswer = false;
    PrinterFontSettings printerFontChoice;
    QString offeredPrinterFontName;
    int printerFontDialogs = 0;
    std::vector<QString> questions; // "title|text"
    std::deque<QMessageBox::StandardButton> answers;
    std::deque<std::function<void(QDialog&)>> dialogScripts;
    int modalDialogs = 0;
};

struct EditorHarness {
    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    std::unique_ptr<EditorSession> session;

    explicit EditorHarness(const QString& commandLine = {}) {
        session = std::make_unique<EditorSession>(folder.path() + QLatin1Char('/'), &dialogs);
        session->start(commandLine);
    }

    // The application ends (without closing its windows) and starts again
    // in the same folder.
    void restart(const QString& commandLine = {}) {
        session.reset();
        session = std::make_unique<EditorSession>(folder.path() + QLatin1Char('/'), &dialogs);
        session->start(commandLine);
    }

    EditorWindow& editor() { return session->editor; }
    ExecutionControl& control() { return session->control; }
    Interpreter& in() { return session->interpreter; }
    ProgramEditor& text() { return *session->editor.RichTextBox1; }

    // Lines separated by "\n", as the user would type them.
    void type(const QString& lines) { text().setPlainText(lines); }
    void run() { session->control.StartRun(); }

    QString path(const QString& name) const { return folder.path() + QLatin1Char('/') + name; }
    QString writeFile(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path(name);
    }
    QByteArray readFile(const QString& name) const {
        QFile file(path(name));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }

    double number(std::u16string_view name) {
        Interpreter& interpreter = in();
        const int id = interpreter.words.intern(name);
        for (const VariableEntry& e : interpreter.variables.variableTable) {
            if (e.nameId == id && e.isScalar()) {
                interpreter.variables.subscriptRegister = {-1, -1, -1, -1, -1};
                interpreter.variables.watchEvaluation = true;
                const std::int32_t slot = interpreter.variables.lookupVariable(id, LookupMode::Reference);
                interpreter.variables.watchEvaluation = false;
                return interpreter.variables[slot].toDouble();
            }
        }
        return -9999; // no such variable
    }
    bool debugScreenVisible() const { return session->debugScreen.isVisible(); }
    QString lastMessage() const { return dialogs.messages.empty() ? QString() : dialogs.messages.back(); }
};

} // namespace korvelin::testing
