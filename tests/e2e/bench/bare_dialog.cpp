// The yardstick for Lookwell's start-up: an empty dialog of the same size in
// the same font, built with the same compiler flags, shown the same way.
#include <QApplication>
#include <QDialog>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Bare dialog"));
    return dialog.exec();
}
