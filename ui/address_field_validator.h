#pragma once

#include <QValidator>

class QLineEdit;

namespace lookwell {

// Typing into an address field: digits only, and, because the field does not
// scroll, nothing more once its visible width is full. Text the program sets
// bypasses this, so a longer text from Paste or a reply is never cut.
class AddressFieldValidator : public QValidator {
    Q_OBJECT
public:
    explicit AddressFieldValidator(QLineEdit& field);
    State validate(QString& input, int& pos) const override;

private:
    bool fitsVisibleWidth(const QString& text) const;

    QLineEdit& field_;
};

} // namespace lookwell
