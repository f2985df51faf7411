#include "ui/window_system/system_menu.h"

#include <QMenu>
#include <QShortcut>
#include <QWidget>

namespace lookwell {

SystemMenu::SystemMenu(QWidget& window, CommandHandler handler)
    : QObject(&window), window_(window), handler_(std::move(handler)) {
    for (const QKeySequence& key :
         {QKeySequence(Qt::Key_Menu), QKeySequence(Qt::SHIFT | Qt::Key_F10)}) {
        auto* shortcut = new QShortcut(key, &window);
        connect(shortcut, &QShortcut::activated, this, &SystemMenu::popupAtWindow);
    }
}

void SystemMenu::appendItem(unsigned command, const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    items_.emplace_back(command, text);
    if (menu_ != nullptr) {
        addToMenu(items_.back());
    }
}

void SystemMenu::popup(const QPoint& globalPos) {
    menu().popup(globalPos);
}

void SystemMenu::popupAtWindow() {
    popup(window_.mapToGlobal(QPoint(0, 0)));
}

QMenu& SystemMenu::menu() {
    if (menu_ == nullptr) {
        menu_ = new QMenu(&window_);
        menu_->setObjectName(QStringLiteral("systemMenu"));
        for (const Item& item : items_) {
            addToMenu(item);
        }
    }
    return *menu_;
}

void SystemMenu::addToMenu(const Item& item) {
    const unsigned command = item.first;
    menu_->addSeparator();
    QAction* action = menu_->addAction(item.second);
    action->setData(command);
    connect(action, &QAction::triggered, this, [this, command] { handler_(command); });
}

} // namespace lookwell
