#pragma once

#include "ui/window_system/dialog_units.h"

#include <QDialog>

#include <utility>

namespace lookwell {

inline constexpr int kStaticControlId = -1; // labels and group boxes the code never addresses

// Builds a dialog from its template's numbers: the template's font, a fixed size
// and every control's place in dialog units. Controls are created, and so take
// the focus in tab order, in the order they are added. Each carries its id as
// the "controlId" property and a name for tests and accessibility tools.
class DialogTemplate {
public:
    DialogTemplate(QDialog& dialog, int width, int height);

    template <typename Control, typename... Args>
    Control* add(int id, const char* name, const QRect& place, Args&&... args) {
        auto* control = new Control(std::forward<Args>(args)..., &dialog_);
        position(*control, id, name, place);
        return control;
    }

private:
    void position(QWidget& control, int id, const char* name, const QRect& place) const;

    QDialog& dialog_;
    QFont font_;
    DialogUnits units_;
};

} // namespace lookwell
