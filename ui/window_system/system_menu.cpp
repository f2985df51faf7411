#include "ui/window_system/system_menu.h"

#include <QMenu>
#include <QShortcut>
#include <QWidget>

namespace lookwell {

SystemMenu::SystemMenu(QWidget& window, CommandHandler handler)
    : QObject(&window), window_(window), handler_(std::move(handler)), menu_(new QMenu(&window)) {
    menu_->setObjectName(QStringLiteral("systemMenu"));
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
    menu_->addSeparator();
    QAction* action = menu_->addAction(text);
    action->setData(command);
    connect(action, &QAction::triggered, this, [this, command] { handler_(command); });
}

void SystemMenu::popup(const QPoint& globalPos) {
    menu_->popup(globalPos);
}

void SystemMenu::popupAtWindow() {
    popup(window_.mapToGlobal(QPoint(0, 0)));
}

} // namespace lookwell
