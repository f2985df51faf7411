#include "ui/window_system/modal_window.h"

#include <QDialog>

namespace lookwell {

int runModal(QDialog& modal) {
    const int result = modal.exec();
    if (QWidget* owner = modal.parentWidget(); owner != nullptr && owner->isVisible()) {
        owner->activateWindow();
    }
    return result;
}

} // namespace lookwell
