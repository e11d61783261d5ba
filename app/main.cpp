// Korvelin start-up: --help/--version, batch mode without windows, or the editor.

#include "app/BatchMode.h"
#include "app/CommandLineInfo.h"
#include "app/Startup.h"

#include <QApplication>

#include <optional>

int main(int argc, char* argv[]) {
    if (const std::optional<int> status = korvelin::answerInformationRequest(argc, argv)) return *status;
    if (korvelin::isBatchCommandLine(argc, argv)) return korvelin::runBatch(argc, argv);
    // Qt would abort with its platform-plugin text; say what to do instead.
    if (!korvelin::displayAvailable()) return korvelin::reportNoDisplay();
    QApplication app(argc, argv);
    return korvelin::runEditorApplication(app, app.arguments().mid(1));
}
