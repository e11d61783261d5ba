// Korvelin start-up. Until the editor window exists this shows an empty
// placeholder window.

#include "app/BatchMode.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
    if (korvelin::isBatchCommandLine(argc, argv)) return korvelin::runBatch(argc, argv);
    QApplication app(argc, argv);
    QLabel placeholder(QStringLiteral("Korvelin"));
    placeholder.setWindowTitle(QStringLiteral("Korvelin"));
    placeholder.setMinimumSize(480, 320);
    placeholder.setAlignment(Qt::AlignCenter);
    placeholder.show();
    return app.exec();
}
