#include "core/hostent_buffer.h"
#include "core/lookup_requests.h"
#include "core/socket_errors.h"
#include "tests/support/fake_resolver.h"
#include "tests/support/fake_window_services.h"
#include "ui/lookup_dialog.h"
#include "ui/window_system/qt_ui_thread_poster.h"
#include "ui/window_system/resources.h"
#include "ui/window_system/system_menu.h"
#include "version_info.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

namespace lookwell {
namespace {

using test_support::FakeClipboard;
using test_support::FakeResolver;
using test_support::RecordingMessageBoxes;

const std::array<const char*, 4> kFieldNames{"field1", "field2", "field3", "field4"};

} // namespace

class LookupDialogTest : public QObject {
    Q_OBJECT

private:
    LookupState state;
    FakeResolver resolver;
    RecordingMessageBoxes messages;
    FakeClipboard clipboard;
    QtUiThreadPoster poster;
    std::unique_ptr<LookupDialog> dialog;
    std::vector<int> fieldChanges; // field numbers, in the order their texts changed

    template <typename Control>
    Control* control(const char* name) const {
        return dialog->findChild<Control*>(QString::fromLatin1(name));
    }
    QLineEdit* field(int number) const { return control<QLineEdit>(kFieldNames[number - 1]); }
    QString address() const {
        QStringList texts;
        for (int i = 1; i <= 4; ++i) {
            texts << field(i)->text();
        }
        return texts.join(QLatin1Char('.'));
    }
    bool enabled(const char* name) const { return control<QWidget>(name)->isEnabled(); }
    QString text(const char* name) const {
        if (auto* label = control<QLabel>(name)) {
            return label->text();
        }
        return control<QLineEdit>(name)->text();
    }
    void typeFields(const std::array<const char*, 4>& texts) {
        for (int i = 0; i < 4; ++i) {
            field(i + 1)->clear();
            QTest::keyClicks(field(i + 1), QString::fromLatin1(texts[i]));
        }
        fieldChanges.clear();
    }
    void click(const char* name) { QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton); }
    // Shift+F10, as a keyboard user opens it; the menu is built when first opened.
    QMenu* openSystemMenu() {
        QTest::keyClick(control<QLineEdit>("hostName"), Qt::Key_F10, Qt::ShiftModifier);
        auto* menu = dialog->findChild<QMenu*>(QStringLiteral("systemMenu"));
        return menu != nullptr && QTest::qWaitFor([menu] { return menu->isVisible(); }) ? menu
                                                                                        : nullptr;
    }
    // Delivers the reply to the last request the way the resolver does: posted
    // to the user-interface thread, with the buffer filled right before.
    void reply(int error, const HostRecord& record = {}) {
        const auto& call = resolver.calls.back();
        const auto length = error == 0 ? packHostEntry(record, {call.buffer, call.size}) : 0;
        QVERIFY(length.has_value());
        const auto param = makeReplyParam(error, *length);
        auto* window = call.window;
        const unsigned message = call.message;
        poster.post([=] { window->receiveReply(message, 1, param); });
    }
    // Runs the modal loop that exec() is about to open: checks, then closes it.
    void whileModal(std::function<void(QWidget&)> check) {
        QTimer::singleShot(0, this, [check = std::move(check)] {
            QWidget* modal = QApplication::activeModalWidget();
            QVERIFY(modal != nullptr);
            check(*modal);
            qobject_cast<QDialog*>(modal)->done(1);
        });
    }

private slots:
    void init() {
        state = {};
        resolver = FakeResolver();
        messages = RecordingMessageBoxes();
        clipboard = FakeClipboard();
        dialog =
            std::make_unique<LookupDialog>(state, resolver, WindowServices{messages, clipboard});
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        fieldChanges.clear();
        for (int i = 1; i <= 4; ++i) {
            connect(field(i), &QLineEdit::textChanged, this,
                    [this, i] { fieldChanges.push_back(i); });
        }
    }
    void cleanup() { dialog.reset(); }

    void startsAsTheTemplateSays() {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Lookwell"));
        QVERIFY(!enabled("toIp"));
        QVERIFY(!enabled("toHostName"));
        QVERIFY(!enabled("privateLabel"));
        QCOMPARE(QApplication::focusWidget(), control<QWidget>("hostName"));
        QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
        dialog->setWindowState(Qt::WindowMaximized); // as a title bar's button would ask
        QVERIFY(!dialog->isMaximized());
        for (auto* button : dialog->findChildren<QPushButton*>()) {
            QVERIFY2(!button->autoDefault() && !button->isDefault(),
                     qPrintable(button->objectName()));
        }
        QCOMPARE(control<QPushButton>("copy")->accessibleName(), QStringLiteral("Copy"));
        QCOMPARE(control<QPushButton>("paste")->accessibleName(), QStringLiteral("Paste"));
        QVERIFY(!control<QPushButton>("copy")->toolTip().isEmpty());
        QVERIFY(!control<QPushButton>("paste")->toolTip().isEmpty());
        QVERIFY(!control<QPushButton>("copy")->icon().isNull());
        QCOMPARE(control<QWidget>("hostName")->property("controlId").toInt(), 1002);
        QCOMPARE(field(4)->property("controlId").toInt(), 1011);
        for (auto* label : dialog->findChildren<QLabel*>()) { // no label cuts its text
            QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->objectName()));
        }
    }

    void iconAndBitmapsComeFromTheResources() {
        for (const int depth : {4, 24}) {
            const QIcon icon = applicationIconForDepth(depth);
            QCOMPARE(icon.availableSizes(), (QList<QSize>{{16, 16}, {32, 32}}));
        }
        const QImage low = applicationIconForDepth(4).pixmap(32).toImage();
        const QImage high = applicationIconForDepth(24).pixmap(32).toImage();
        QVERIFY(low != high);
        for (const unsigned id : {resource::kPasteBitmap, resource::kCopyBitmap}) {
            QCOMPARE(loadBitmap(id).size(), QSize(16, 16));
        }
        QVERIFY(loadBitmap(resource::kApplicationIcon).isNull());
        QVERIFY(!dialog->windowIcon().isNull());
    }

    void tabOrderFollowsTheTemplate() {
        QTest::keyClicks(control<QLineEdit>("hostName"), QStringLiteral("h"));
        typeFields({"1", "2", "3", "4"});
        const QStringList expected{"toIp", "field1", "field2", "field3", "field4",  "toHostName",
                                   "copy", "paste",  "clear",  "close",  "hostName"};
        for (const QString& name : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), name);
        }
    }

    void hostNameTextEnablesToIp() {
        QTest::keyClicks(control<QLineEdit>("hostName"), QStringLiteral("a"));
        QVERIFY(enabled("toIp"));
        QTest::keyClick(control<QLineEdit>("hostName"), Qt::Key_Backspace);
        QVERIFY(!enabled("toIp"));
    }

    void onlyFieldFourEnablesToHostName() {
        QTest::keyClicks(field(1), QStringLiteral("192"));
        QTest::keyClicks(field(2), QStringLiteral("168"));
        QTest::keyClicks(field(3), QStringLiteral("1"));
        QVERIFY(!enabled("toHostName"));
        QTest::keyClicks(field(4), QStringLiteral("1"));
        QVERIFY(enabled("toHostName"));

        // Emptying field 2 disables; refilling it does not enable again.
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(field(2), Qt::Key_Backspace);
        }
        QVERIFY(!enabled("toHostName"));
        QTest::keyClicks(field(2), QStringLiteral("8"));
        QVERIFY(!enabled("toHostName"));
        QTest::keyClicks(field(4), QStringLiteral("0"));
        QVERIFY(enabled("toHostName"));
    }

    void fieldFourFirstLeavesToHostNameDisabled() {
        QTest::keyClicks(field(4), QStringLiteral("1"));
        QTest::keyClicks(field(1), QStringLiteral("10"));
        QTest::keyClicks(field(2), QStringLiteral("0"));
        QTest::keyClicks(field(3), QStringLiteral("0"));
        QVERIFY(!enabled("toHostName"));
    }

    void fieldsTakeTypedDigitsOnlyUntilFull() {
        QTest::keyClicks(field(1), QStringLiteral("1a2 .3"));
        QCOMPARE(field(1)->text(), QStringLiteral("123"));
        QTest::keyClicks(field(1), QStringLiteral("4567890123456789"));
        const QString full = field(1)->text();
        QVERIFY2(full.size() > 3 && full.size() < 19, qPrintable(full));
        QVERIFY(QStringLiteral("1234567890123456789").startsWith(full));
        QCOMPARE(field(1)->maxLength(), 32767); // no length limit of its own
        QTest::keyClick(field(1), Qt::Key_Backspace);
        QCOMPARE(field(1)->text(), full.chopped(1));
    }

    void fieldsTakePastedAndDroppedTextAsItIs() {
        QApplication::clipboard()->setText(QStringLiteral(" 7"));
        field(1)->paste(); // what the field's own menu does
        QMimeData dropped;
        dropped.setText(QStringLiteral("-5"));
        const QPoint centre = field(2)->rect().center();
        QDragEnterEvent enter(centre, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(field(2), &enter);
        QDropEvent drop(centre, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(field(2), &drop);
        QInputMethodEvent composed;
        composed.setCommitString(QStringLiteral("1a")); // typed through an input method
        QCoreApplication::sendEvent(field(3), &composed);
        QCOMPARE(address(), QStringLiteral(" 7.-5.."));
        click("copy");
        QCOMPARE(messages.shown.size(), 1u);
        QCOMPARE(messages.shown[0].text, std::string("IP address format error."));
    }

    void clearEmptiesOnlyTheFieldsFieldFourFirst() {
        QTest::keyClicks(control<QLineEdit>("hostName"), QStringLiteral("host"));
        dialog->setClassText("Class-A");
        dialog->setCountryText("Japan");
        dialog->enablePrivateLabel(true);
        typeFields({"10", "1", "2", "3"});
        QVERIFY(enabled("toHostName"));

        click("clear");
        QCOMPARE(fieldChanges, (std::vector<int>{4, 3, 2, 1}));
        for (int i = 1; i <= 4; ++i) {
            QVERIFY(field(i)->text().isEmpty());
        }
        QVERIFY(!enabled("toHostName"));
        QCOMPARE(text("hostName"), QStringLiteral("host"));
        QCOMPARE(text("classBox"), QStringLiteral("Class-A"));
        QCOMPARE(text("countryBox"), QStringLiteral("Japan"));
        QVERIFY(enabled("privateLabel"));
    }

    void copyPutsTheDottedQuadOnTheClipboard() {
        typeFields({"10", "", "", "1"});
        click("copy");
        QCOMPARE(clipboard.content.value_or("none"), std::string("10.0.0.1"));
        QCOMPARE(clipboard.closes, 1);
        QVERIFY(messages.shown.empty());

        // No fixed-size block: long digit strings go on the clipboard whole.
        dialog->setAddressField(AddressField::One, "12345678901");
        click("copy");
        QCOMPARE(clipboard.content.value_or("none"), std::string("3755744309.0.0.1"));
    }

    void copyOfANonDigitWarnsAndLeavesTheClipboard() {
        clipboard.content = "before";
        typeFields({"10", "0", "0", "1"});
        dialog->setAddressField(AddressField::Three, "1a");
        click("copy");
        QCOMPARE(messages.shown.size(), 1u);
        QCOMPARE(messages.shown[0].text, std::string("IP address format error."));
        QCOMPARE(messages.shown[0].severity, Severity::Warning);
        QCOMPARE(messages.shown[0].owner, dialog.get());
        QCOMPARE(clipboard.opens, 0);
        QCOMPARE(clipboard.content.value_or("none"), std::string("before"));
    }

    void aBusyClipboardIsAnErrorForCopyAndPaste() {
        clipboard.refuseOpen = true;
        clipboard.content = "1.2.3.4";
        typeFields({"10", "0", "0", "1"});
        click("copy");
        click("paste");
        QCOMPARE(messages.shown.size(), 2u);
        for (const auto& shown : messages.shown) {
            QCOMPARE(shown.text, std::string("Can't open clipboard."));
            QCOMPARE(shown.severity, Severity::Error);
        }
        QCOMPARE(clipboard.content.value_or("none"), std::string("1.2.3.4"));
        QCOMPARE(field(1)->text(), QStringLiteral("10"));
    }

    void pasteFillsTheFieldsFieldFourFirst() {
        dialog->setClassText("old class");
        clipboard.content = "172.16.5.4";
        click("paste");
        QCOMPARE(fieldChanges, (std::vector<int>{4, 3, 2, 1}));
        QCOMPARE(address(), QStringLiteral("172.16.5.4"));
        QVERIFY(enabled("toHostName"));
        QCOMPARE(text("classBox"), QStringLiteral("old class"));
        QVERIFY(text("hostName").isEmpty());
        QCOMPARE(clipboard.closes, 1);

        // Text the program sets is never cut, however narrow the field.
        clipboard.content = "1234567890123.1.1.1";
        click("paste");
        QCOMPARE(field(1)->text(), QString::number(1234567890123ULL % (1ULL << 32)));
    }

    void pasteOfOtherTextChangesNothing() {
        typeFields({"1", "2", "3", "4"});
        for (const std::optional<std::string>& content :
             {std::optional<std::string>("hello"), std::optional<std::string>("1.2.3"),
              std::optional<std::string>()}) {
            clipboard.content = content;
            click("paste");
        }
        QVERIFY(fieldChanges.empty());
        QVERIFY(messages.shown.empty());
        QCOMPARE(clipboard.closes, 3);
    }

    void enterMovesOnAndPressesOnlyAFocusedButton() {
        auto* hostName = control<QLineEdit>("hostName");
        QTest::keyClicks(hostName, QStringLiteral("example.org"));
        QTest::keyClick(hostName, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), control<QWidget>("toIp"));
        QVERIFY(resolver.calls.empty());
        QVERIFY(dialog->isVisible());

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(resolver.calls.size(), 1u);
        QCOMPARE(resolver.calls[0].name, std::string("example.org"));
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Lookwell [Searching entry...]"));
        QVERIFY(dialog->isVisible());
    }

    // The click has happened when the key press returns: no 100 ms animation.
    void accessKeysPressTheirButtonAtOnce() {
        auto* hostName = control<QLineEdit>("hostName");
        QTest::keyClicks(hostName, QStringLiteral("example.org"));
        typeFields({"10", "1", "2", "3"});
        QTest::keyClick(field(1), Qt::Key_C, Qt::AltModifier);
        QVERIFY(field(4)->text().isEmpty());
        QTest::keyClick(field(1), Qt::Key_I, Qt::AltModifier);
        QCOMPARE(resolver.calls.size(), 1u);
        QCOMPARE(resolver.calls[0].name, std::string("example.org"));
    }

    void escapeEndsTheDialog() {
        QTest::keyClick(control<QLineEdit>("hostName"), Qt::Key_Escape);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result(), 0);
    }

    void closeEndsTheDialogWithResultZero() {
        dialog->setResult(7);
        click("close");
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result(), 0);
    }

    void systemMenuOffersTheAboutBox() {
        QMenu* menu = openSystemMenu();
        QVERIFY(menu != nullptr);
        const auto actions = menu->actions();
        QCOMPARE(actions.size(), 2);
        QVERIFY(actions[0]->isSeparator());
        QCOMPARE(actions[1]->text(), QStringLiteral("&About Lookwell..."));
        QCOMPARE(actions[1]->data().toUInt(), IDM_ABOUTBOX);
        menu->hide();
    }

    void aboutBoxOpensAgainAndRepliesArriveMeanwhile() {
        QMenu* menu = openSystemMenu();
        QVERIFY(menu != nullptr);
        menu->hide();
        QTest::keyClicks(control<QLineEdit>("hostName"), QStringLiteral("example.org"));
        click("toIp");
        reply(wsa::kHostNotFound);
        QStringList seen;
        for (int i = 0; i < 2; ++i) {
            whileModal([&](QWidget& about) {
                seen << about.windowTitle();
                seen << about.findChild<QLabel*>(QStringLiteral("version"))->text();
                QCoreApplication::sendPostedEvents();
                seen << dialog->windowTitle();
            });
            menu->actions().last()->trigger();
        }
        const QStringList oneVisit{"About Lookwell for Winsock32",
                                   "Lookwell for Winsock32 Version " +
                                       QString::fromLatin1(version::kShortVersion),
                                   "Lookwell"};
        QCOMPARE(seen, oneVisit + oneVisit);
        QCOMPARE(messages.shown.size(), 1u);
        QCOMPARE(messages.shown[0].text, std::string("Host not found."));
        QCOMPARE(state.pending, 0);
    }

    void systemCommandsAreMasked() {
        int opened = 0;
        whileModal([&](QWidget&) { ++opened; });
        dialog->onSystemCommand(IDM_ABOUTBOX | 0x000F);
        QCOMPARE(opened, 1);
        dialog->onSystemCommand(0x0020); // not ours: nothing opens
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void replyArrivesWhileARealMessageBoxIsOpen() {
        QtMessageBoxes realBoxes;
        LookupDialog withRealBoxes(state, resolver, WindowServices{realBoxes, clipboard});
        withRealBoxes.show();
        withRealBoxes.setHostName("example.org");
        withRealBoxes.findChild<QPushButton*>(QStringLiteral("toIp"))->click();
        withRealBoxes.setAddressField(AddressField::One, "x");
        QString boxText;
        QString caption;
        QString titleWhileOpen;
        QString addressWhileOpen;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QTimer::singleShot(0, this, [&] {
            reply(0, {"example.org", {}, {{192, 0, 2, 7}}});
            QTimer::singleShot(0, this, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(box != nullptr);
                boxText = box->text();
                caption = box->windowTitle();
                icon = box->icon();
                titleWhileOpen = withRealBoxes.windowTitle();
                addressWhileOpen =
                    QString::fromStdString(withRealBoxes.addressField(AddressField::One) + "." +
                                           withRealBoxes.addressField(AddressField::Four));
                box->button(QMessageBox::Ok)->click();
            });
        });
        withRealBoxes.findChild<QPushButton*>(QStringLiteral("copy"))->click();
        QCOMPARE(boxText, QStringLiteral("IP address format error."));
        QCOMPARE(icon, QMessageBox::Warning);
        QCOMPARE(caption, QCoreApplication::applicationName());
        QCOMPARE(titleWhileOpen, QStringLiteral("Lookwell"));
        QCOMPARE(addressWhileOpen, QStringLiteral("192.7"));
    }

    void nameReplyFillsTheFieldsAndTheInformationBox() {
        QTest::keyClicks(control<QLineEdit>("hostName"), QStringLiteral("www.example.jp"));
        click("toIp");
        QCOMPARE(resolver.calls[0].message, WM_LOOKUP_NAME_DONE);
        QCOMPARE(resolver.calls[0].size, kHostentBufferSize);
        reply(0, {"www.example.jp", {}, {{133, 1, 2, 3}, {10, 0, 0, 1}}});
        QCoreApplication::sendPostedEvents();
        QCOMPARE(fieldChanges, (std::vector<int>{4, 3, 2, 1}));
        QCOMPARE(address(), QStringLiteral("133.1.2.3"));
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Lookwell"));
        QVERIFY(enabled("toHostName"));
        QCOMPARE(text("classBox"), QStringLiteral("Class-B"));
        QCOMPARE(text("countryBox"), QStringLiteral("Japan"));
        QVERIFY(!enabled("privateLabel"));
        QCOMPARE(text("hostName"), QStringLiteral("www.example.jp"));

        click("toIp");
        fieldChanges.clear();
        reply(wsa::kHostNotFound);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(fieldChanges, (std::vector<int>{4, 3, 2, 1}));
        QVERIFY(!enabled("toHostName"));
        QVERIFY(text("classBox").isEmpty() && text("countryBox").isEmpty());
        QCOMPARE(messages.shown.size(), 1u);
        QCOMPARE(messages.shown[0].text, std::string("Host not found."));
        QCOMPARE(messages.shown[0].severity, Severity::Error);
        QCOMPARE(messages.shown[0].ownerTitle, QStringLiteral("Lookwell"));
        QCOMPARE(text("hostName"), QStringLiteral("www.example.jp"));
    }

    void addressReplySetsTheHostName() {
        typeFields({"10", "1", "2", "3"});
        click("toHostName");
        QCOMPARE(resolver.calls[0].message, WM_LOOKUP_ADDR_DONE);
        QCOMPARE(resolver.calls[0].address, (std::vector<std::uint8_t>{10, 1, 2, 3}));
        reply(0, {"host.example.com", {}, {{10, 1, 2, 3}}});
        QCoreApplication::sendPostedEvents();
        QCOMPARE(text("hostName"), QStringLiteral("host.example.com"));
        QVERIFY(enabled("toIp"));
        QCOMPARE(text("classBox"), QStringLiteral("Class-A"));
        QCOMPARE(text("countryBox"), QStringLiteral("United States"));
        QVERIFY(enabled("privateLabel"));

        click("toHostName");
        reply(wsa::kNoData);
        QCoreApplication::sendPostedEvents();
        QVERIFY(text("hostName").isEmpty());
        QVERIFY(!enabled("toIp"));
        QVERIFY(text("classBox").isEmpty() && text("countryBox").isEmpty());
        QVERIFY(enabled("privateLabel")); // keeps its state after a failure
        QCOMPARE(field(1)->text(), QStringLiteral("10"));
        QCOMPARE(messages.shown.size(), 1u);
        QCOMPARE(messages.shown[0].text, std::string("No entry found."));
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Lookwell"));
    }
};

} // namespace lookwell

QTEST_MAIN(lookwell::LookupDialogTest)
#include "lookup_dialog_test.moc"
