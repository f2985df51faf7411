#include "ui/window_system/dialog_keyboard.h"

#include <QAbstractButton>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcutEvent>

namespace lookwell {
namespace {

bool isAltText(const QEvent& event) {
    if (event.type() != QEvent::KeyPress) {
        return false;
    }
    const auto& key = static_cast<const QKeyEvent&>(event);
    return (key.modifiers() & Qt::AltModifier) != 0 && !key.text().isEmpty() &&
           key.text().at(0).isPrint();
}

bool pressAtOnce(QAbstractButton& button, const QEvent& event) {
    if (event.type() != QEvent::Shortcut ||
        static_cast<const QShortcutEvent&>(event).isAmbiguous()) {
        return false; // Qt moves the focus between buttons sharing a key
    }
    button.click();
    return true;
}

} // namespace

void DialogKeyboard::install(QDialog& dialog) {
    new DialogKeyboard(dialog); // the dialog owns it
}

DialogKeyboard::DialogKeyboard(QDialog& dialog) : QObject(&dialog) {
    for (QLineEdit* field : dialog.findChildren<QLineEdit*>()) {
        field->installEventFilter(this);
    }
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
        button->installEventFilter(this);
    }
}

bool DialogKeyboard::eventFilter(QObject* watched, QEvent* event) {
    if (auto* button = qobject_cast<QAbstractButton*>(watched)) {
        return pressAtOnce(*button, *event);
    }
    return isAltText(*event);
}

} // namespace lookwell
