#pragma once

#include <QObject>

#include <functional>
#include <utility>
#include <vector>

class QMenu;
class QWidget;

namespace lookwell {

inline constexpr unsigned IDM_ABOUTBOX = 0x0010;

// The dialog's system menu. A desktop's window menu cannot be extended from
// here, so the same menu opens as a context menu of the dialog itself: a right
// click on its free area, the Menu key or Shift+F10. Choosing an item delivers
// its command id to the handler, as a system command.
class SystemMenu : public QObject {
    Q_OBJECT
public:
    using CommandHandler = std::function<void(unsigned)>;

    SystemMenu(QWidget& window, CommandHandler handler);

    // A separator, then a string item; an empty text adds nothing.
    void appendItem(unsigned command, const QString& text);
    // Opens the menu at a global position, or under the window's top-left corner.
    void popup(const QPoint& globalPos);
    void popupAtWindow();

private:
    using Item = std::pair<unsigned, QString>;

    // The menu is built when it first opens, as most sessions never open it.
    QMenu& menu();
    void addToMenu(const Item& item);

    QWidget& window_;
    CommandHandler handler_;
    std::vector<Item> items_;
    QMenu* menu_ = nullptr;
};

} // namespace lookwell
