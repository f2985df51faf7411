// The yardstick for Lookwell's start-up: an empty dialog with the main
// dialog's size and font (the same dialog template code), built with the same
// compiler flags, shown the same way, with nothing in it.
#include "ui/window_system/dialog_template.h"

#include <QApplication>
#include <QDialog>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Bare dialog"));
    lookwell::DialogTemplate layout(dialog, 211, 199);
    return dialog.exec();
}
