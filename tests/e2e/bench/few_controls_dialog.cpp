// A second yardstick: the bare dialog's template with a handful of the main
// dialog's kinds of control in it (a label, an edit field, two push buttons),
// to show what the controls themselves cost against an empty dialog.
#include "ui/window_system/dialog_template.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Few controls"));
    lookwell::DialogTemplate layout(dialog, 211, 199);
    layout.add<QLabel>(lookwell::kStaticControlId, "label", {7, 7, 35, 8},
                       QStringLiteral("&Name:"));
    layout.add<QLineEdit>(1, "edit", {7, 19, 197, 14});
    layout.add<QPushButton>(2, "first", {53, 40, 50, 16}, QStringLiteral("&First"));
    layout.add<QPushButton>(3, "second", {107, 40, 50, 16}, QStringLiteral("&Second"));
    return dialog.exec();
}
