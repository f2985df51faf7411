#pragma once

#include <QObject>

class QDialog;

namespace lookwell {

// The platform's dialog keyboard handling where Qt's differs from it. An
// access key (Alt plus a letter) is never text: it presses the enabled button
// that owns it, moves to the control a label names, or does nothing. Qt would
// type the letter into the focused field whenever no enabled control owns
// the key. A button's access key presses it at once, where Qt shows it
// pressed for 100 ms first.
class DialogKeyboard : public QObject {
    Q_OBJECT
public:
    // Takes over the keyboard of every field and push button the dialog has
    // now, for the dialog's whole life.
    static void install(QDialog& dialog);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit DialogKeyboard(QDialog& dialog);
};

} // namespace lookwell
