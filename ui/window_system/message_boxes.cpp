#include "ui/window_system/message_boxes.h"

#include "ui/window_system/modal_window.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace lookwell {

void QtMessageBoxes::show(QWidget* owner, const std::string& text, Severity severity) {
    const auto icon = severity == Severity::Error ? QMessageBox::Critical : QMessageBox::Warning;
    QMessageBox box(icon, QCoreApplication::applicationName(), QString::fromStdString(text),
                    QMessageBox::Ok, owner);
    box.setObjectName(QStringLiteral("messageBox"));
    runModal(box);
}

} // namespace lookwell
