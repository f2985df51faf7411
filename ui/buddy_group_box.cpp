#include "ui/buddy_group_box.h"

#include <QEvent>

namespace lookwell {

BuddyGroupBox::BuddyGroupBox(const QString& title, QWidget* parent) : QGroupBox(title, parent) {}

bool BuddyGroupBox::event(QEvent* event) {
    if (event->type() == QEvent::Shortcut && buddy_ != nullptr) {
        buddy_->setFocus(Qt::ShortcutFocusReason);
        return true;
    }
    return QGroupBox::event(event);
}

} // namespace lookwell
