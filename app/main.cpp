// Korvelin start-up: batch mode without windows, or the editor.

#include "app/BatchMode.h"
#include "app/Startup.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    if (korvelin::isBatchCommandLine(argc, argv)) return korvelin::runBatch(argc, argv);
    QApplication app(argc, argv);
    return korvelin::runEditorApplication(app, app.arguments().mid(1));
}
