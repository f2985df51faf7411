#include "ui/about_dialog.h"

#include "ui/window_system/dialog_keyboard.h"
#include "ui/window_system/dialog_template.h"
#include "ui/window_system/resources.h"
#include "version_info.h"

#include <QLabel>
#include <QPushButton>

namespace lookwell {
namespace {

constexpr int kIdOk = 1;
constexpr int kIconPixels = 32;

} // namespace

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(QStringLiteral("About Lookwell for Winsock32"));
    DialogTemplate layout(*this, 191, 109);

    // An icon control takes the icon's own size, whatever the template says.
    auto* icon = layout.add<QLabel>(kStaticControlId, "icon", {11, 17, 0, 0});
    icon->resize(kIconPixels, kIconPixels);
    icon->setPixmap(applicationIcon().pixmap(kIconPixels, kIconPixels));
    icon->setAccessibleName(QStringLiteral("Lookwell icon"));

    layout.add<QLabel>(
        kStaticControlId, "version", {40, 10, 144, 8},
        QStringLiteral("%1 Version %2")
            .arg(QLatin1String(version::kProductName), QLatin1String(version::kShortVersion)));
    layout.add<QLabel>(kStaticControlId, "author", {40, 25, 144, 8},
                       QStringLiteral("Written by the Lookwell developers"));
    layout.add<QLabel>(kStaticControlId, "contact", {40, 40, 144, 8},
                       QStringLiteral("Contact: lookwell@example.org"));
    auto* notice = layout.add<QLabel>(kStaticControlId, "notice", {7, 62, 177, 18},
                                      QStringLiteral("This program is provided as is,\n"
                                                     "without warranty of any kind."));
    notice->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    auto* ok = layout.add<QPushButton>(kIdOk, "ok", {79, 88, 32, 14}, QStringLiteral("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    DialogKeyboard::install(*this);
}

} // namespace lookwell
