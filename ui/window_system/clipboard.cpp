#include "ui/window_system/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace lookwell {

bool QtClipboard::open(QWidget*) {
    return QGuiApplication::clipboard() != nullptr;
}

std::optional<std::string> QtClipboard::text() const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr || !data->hasText()) {
        return std::nullopt;
    }
    return data->text().toStdString();
}

void QtClipboard::setText(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

void QtClipboard::close() {}

} // namespace lookwell
