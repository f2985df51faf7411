#include "ui/lookup_dialog.h"

#include "core/address_fields.h"
#include "core/address_info.h"
#include "core/button_rules.h"
#include "ui/about_dialog.h"
#include "ui/address_field_edit.h"
#include "ui/buddy_group_box.h"
#include "ui/window_system/dialog_keyboard.h"
#include "ui/window_system/dialog_template.h"
#include "ui/window_system/modal_window.h"
#include "ui/window_system/pixel_art_icon.h"
#include "ui/window_system/resources.h"
#include "ui/window_system/system_menu.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace lookwell {
namespace {

namespace id {
constexpr int kHostName = 1002;
constexpr int kField1 = 1003;
constexpr int kToIp = 1004;
constexpr int kToHostName = 1005;
constexpr int kField2 = 1006;
constexpr int kField3 = 1010;
constexpr int kField4 = 1011;
constexpr int kClassBox = 1013;
constexpr int kCountryBox = 1014;
constexpr int kClear = 1015;
constexpr int kPaste = 1016;
constexpr int kCopy = 1017;
constexpr int kPrivateLabel = 1023;
constexpr int kClose = 1024;
} // namespace id

constexpr unsigned kSystemCommandMask = 0xFFF0;

QPushButton* commandButton(QPushButton* button) {
    // Without this, Qt would make the first button the dialog's default, and
    // Enter in a field would press it.
    button->setAutoDefault(false);
    return button;
}

// A screen reader reads the box's text as its name, after the label that
// names it, as for any other static text.
QLabel* sunkenBox(QLabel* box, QLabel* label) {
    box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setBuddy(box);
    return box;
}

QPushButton* bitmapButton(QPushButton* button, const char* name, const char* tip) {
    button->setAccessibleName(QString::fromLatin1(name));
    button->setToolTip(QString::fromLatin1(tip));
    button->setIconSize(QSize(16, 16));
    return commandButton(button);
}

bool isEnterKey(const QKeyEvent& event) {
    const bool keypadEnter =
        event.key() == Qt::Key_Enter && event.modifiers() == Qt::KeypadModifier;
    const bool plain = event.modifiers() == Qt::NoModifier &&
                       (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter);
    return plain || keypadEnter;
}

} // namespace

LookupDialog::LookupDialog(LookupState& state, Resolver& resolver, WindowServices services,
                           QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      icon_(applicationIcon()), services_(services), requests_(state, resolver, *this, buffer_) {
    setObjectName(QStringLiteral("lookupDialog"));
    setWindowTitle(QStringLiteral("Lookwell"));
    DialogTemplate layout(*this, 211, 199);
    createControls(layout);
    DialogKeyboard::install(*this);
    connectHandlers();
    initialise();
}

void LookupDialog::createControls(DialogTemplate& layout) {
    auto* hostLabel = layout.add<QLabel>(kStaticControlId, "hostNameLabel", {7, 7, 35, 8},
                                         QStringLiteral("&Host Name:"));
    hostName_ = layout.add<QLineEdit>(id::kHostName, "hostName", {7, 19, 197, 14});
    hostName_->setAccessibleName(QStringLiteral("Host Name"));
    hostLabel->setBuddy(hostName_);
    toIp_ = commandButton(
        layout.add<QPushButton>(id::kToIp, "toIp", {53, 40, 50, 16}, QStringLiteral("To &IP")));
    toIp_->setEnabled(false);
    createAddressControls(layout);
    createInformationControls(layout);
    close_ = commandButton(
        layout.add<QPushButton>(id::kClose, "close", {77, 176, 56, 16}, QStringLiteral("Close")));
}

void LookupDialog::createAddressControls(DialogTemplate& layout) {
    auto* addressBox = layout.add<BuddyGroupBox>(kStaticControlId, "addressBox", {7, 63, 197, 106},
                                                 QStringLiteral("IP &Address"));
    const std::array<std::pair<int, int>, 4> places{
        {{id::kField1, 12}, {id::kField2, 39}, {id::kField3, 66}, {id::kField4, 93}}};
    for (std::size_t i = 0; i < places.size(); ++i) {
        const auto [controlId, x] = places[i];
        const std::string name = "field" + std::to_string(i + 1);
        QLineEdit* edit = layout.add<AddressFieldEdit>(controlId, name.c_str(), {x, 77, 23, 14});
        edit->setAccessibleName(QStringLiteral("IP Address field %1").arg(i + 1));
        fields_[i] = edit;
        if (i + 1 < places.size()) {
            layout.add<QLabel>(kStaticControlId, "dot", {x + 24, 79, 8, 8}, QStringLiteral("."));
        }
    }
    addressBox->setBuddy(fields_[0]);
    toHostName_ = commandButton(layout.add<QPushButton>(
        id::kToHostName, "toHostName", {107, 40, 50, 16}, QStringLiteral("To Host &Name")));
    toHostName_->setEnabled(false);
    copy_ = bitmapButton(layout.add<QPushButton>(id::kCopy, "copy", {123, 75, 16, 16}), "Copy",
                         "Copy the address to the clipboard");
    paste_ = bitmapButton(layout.add<QPushButton>(id::kPaste, "paste", {146, 75, 16, 16}), "Paste",
                          "Paste an address from the clipboard");
    clear_ = commandButton(
        layout.add<QPushButton>(id::kClear, "clear", {169, 75, 28, 16}, QStringLiteral("&Clear")));
}

void LookupDialog::createInformationControls(DialogTemplate& layout) {
    layout.add<QGroupBox>(kStaticControlId, "informationBox", {12, 100, 161, 60},
                          QStringLiteral("Information"));
    auto* classLabel = layout.add<QLabel>(kStaticControlId, "classLabel", {18, 111, 27, 8},
                                          QStringLiteral("IP Class:"));
    auto* countryLabel = layout.add<QLabel>(kStaticControlId, "countryLabel", {75, 111, 31, 9},
                                            QStringLiteral("Country:"));
    classBox_ =
        sunkenBox(layout.add<QLabel>(id::kClassBox, "classBox", {18, 125, 51, 13}), classLabel);
    countryBox_ = sunkenBox(layout.add<QLabel>(id::kCountryBox, "countryBox", {75, 125, 92, 13}),
                            countryLabel);
    privateLabel_ = layout.add<QLabel>(id::kPrivateLabel, "privateLabel", {18, 145, 84, 11},
                                       QStringLiteral("RFC1918 Private Address"));
    privateLabel_->setEnabled(false);
}

// The dialog's dispatch table: every notification it handles, in one place.
// Minimised painting and the drag icon come from the window icon, which the
// desktop draws itself.
void LookupDialog::connectHandlers() {
    systemMenu_ = new SystemMenu(*this, [this](unsigned command) { onSystemCommand(command); });
    connect(hostName_, &QLineEdit::textChanged, this, &LookupDialog::onHostNameChanged);
    connect(toIp_, &QPushButton::clicked, this, [this] { requests_.startNameLookup(); });
    for (const AddressField f :
         {AddressField::Four, AddressField::Three, AddressField::Two, AddressField::One}) {
        connect(&field(f), &QLineEdit::textChanged, this, [this, f] { onFieldChanged(f); });
    }
    connect(toHostName_, &QPushButton::clicked, this, [this] { requests_.startAddressLookup(); });
    connect(clear_, &QPushButton::clicked, this, &LookupDialog::onClear);
    onReply(WM_LOOKUP_NAME_DONE,
            [this](std::uint32_t lparam) { requests_.handleNameReply(lparam); });
    onReply(WM_LOOKUP_ADDR_DONE,
            [this](std::uint32_t lparam) { requests_.handleAddressReply(lparam); });
    connect(paste_, &QPushButton::clicked, this, &LookupDialog::onPaste);
    connect(copy_, &QPushButton::clicked, this, &LookupDialog::onCopy);
    connect(close_, &QPushButton::clicked, this, [this] { done(0); });
}

void LookupDialog::initialise() {
    systemMenu_->appendItem(IDM_ABOUTBOX, QString::fromStdString(loadText(text::kAboutMenuItem)));
    setWindowIcon(icon_);
    // The buttons' icons own the bitmaps, and go with them.
    paste_->setIcon(pixelArtIcon({loadBitmap(resource::kPasteBitmap)}));
    copy_->setIcon(pixelArtIcon({loadBitmap(resource::kCopyBitmap)}));
    hostName_->setFocus(Qt::OtherFocusReason);
}

void LookupDialog::onReply(unsigned message, ReplyHandler handler) {
    replyHandlers_.emplace_back(message, std::move(handler));
}

void LookupDialog::receiveReply(unsigned message, RequestHandle, std::uint32_t lparam) {
    for (const auto& [handled, handler] : replyHandlers_) {
        if (handled == message) {
            handler(lparam);
            return;
        }
    }
}

void LookupDialog::onSystemCommand(unsigned command) {
    if ((command & kSystemCommandMask) == IDM_ABOUTBOX) {
        AboutDialog about(this);
        runModal(about);
    }
}

void LookupDialog::onHostNameChanged() {
    toIp_->setEnabled(toIpEnabledFor(hostName()));
}

void LookupDialog::onFieldChanged(AddressField changed) {
    toHostName_->setEnabled(
        toHostNameAfterChange(changed, readFields(*this), toHostName_->isEnabled()));
}

void LookupDialog::onClear() {
    clearFields(*this);
}

void LookupDialog::onPaste() {
    Clipboard& clipboard = services_.clipboard;
    if (!clipboard.open(this)) {
        showMessage(text::kClipboardError, Severity::Error);
        return;
    }
    if (const auto text = clipboard.text()) {
        if (const auto numbers = parseDottedQuad(*text)) {
            writeFields(*this, *numbers);
            enableToHostName(true);
        }
    }
    clipboard.close();
}

// The whole dotted-quad text goes on the clipboard: there is no fixed-size
// block to fill, so nothing is ever cut.
void LookupDialog::onCopy() {
    const FieldTexts fields = readFields(*this);
    if (!validateFields(fields)) {
        showMessage(text::kAddressFormatError, Severity::Warning);
        return;
    }
    const std::string text = formatDottedQuad(fields);
    Clipboard& clipboard = services_.clipboard;
    if (!clipboard.open(this)) {
        showMessage(text::kClipboardError, Severity::Error);
        return;
    }
    clipboard.setText(text);
    clipboard.close();
}

// Enter never presses a default button: on a push button it presses that
// button, anywhere else it moves on to the next control.
void LookupDialog::keyPressEvent(QKeyEvent* event) {
    if (!isEnterKey(*event)) {
        QDialog::keyPressEvent(event);
        return;
    }
    if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
        button->click();
        return;
    }
    nextControl();
}

void LookupDialog::nextControl() {
    focusNextChild();
}

void LookupDialog::contextMenuEvent(QContextMenuEvent* event) {
    systemMenu_->popup(event->globalPos());
}

void LookupDialog::setTitle(const std::string& title) {
    setWindowTitle(QString::fromStdString(title));
}

std::string LookupDialog::hostName() const {
    return hostName_->text().toStdString();
}

void LookupDialog::setHostName(const std::string& name) {
    setControlText(*hostName_, name, [this] { onHostNameChanged(); });
}

std::string LookupDialog::addressField(AddressField which) const {
    return field(which).text().toStdString();
}

void LookupDialog::setAddressField(AddressField which, const std::string& text) {
    setControlText(field(which), text, [this, which] { onFieldChanged(which); });
}

// Setting a text counts as a change even when the text stays the same; the
// caret then goes to the start, as in the platform's edit controls, so a field
// too narrow for its text shows the text's beginning.
void LookupDialog::setControlText(QLineEdit& edit, const std::string& text,
                                  const std::function<void()>& onChange) {
    const QString newText = QString::fromStdString(text);
    if (edit.text() == newText) {
        onChange();
    } else {
        edit.setText(newText);
    }
    edit.setCursorPosition(0);
}

void LookupDialog::setClassText(const std::string& text) {
    classBox_->setText(QString::fromStdString(text));
}

void LookupDialog::setCountryText(const std::string& text) {
    countryBox_->setText(QString::fromStdString(text));
}

void LookupDialog::enableToHostName(bool enabled) {
    toHostName_->setEnabled(enabled);
}

void LookupDialog::enablePrivateLabel(bool enabled) {
    privateLabel_->setEnabled(enabled);
}

void LookupDialog::refreshAddressInfo() {
    updateAddressInfo(*this);
}

void LookupDialog::showMessage(unsigned textId, Severity severity) {
    services_.messages.show(this, loadText(textId), severity);
}

QLineEdit& LookupDialog::field(AddressField which) const {
    return *fields_[static_cast<std::size_t>(which) - 1];
}

} // namespace lookwell
