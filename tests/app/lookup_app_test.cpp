#include "app/lookup_app.h"
#include "tests/support/fake_resolver.h"
#include "tests/ui/fake_window_services.h"
#include "ui/lookup_dialog.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>
#include <string>
#include <vector>

namespace lookwell {
namespace {

std::vector<std::string> events;
bool posterOutlivedResolver = false;

// Logs the calls whose order start-up and exit are about; the dialog alive or
// gone at the cancel tells whether the reply buffer was still there.
class LoggingResolver : public test_support::FakeResolver {
public:
    QPointer<QWidget> dialog;
    QPointer<QObject> poster;
    ~LoggingResolver() override { posterOutlivedResolver = !poster.isNull(); }

    int startup() override {
        events.emplace_back("startup");
        return FakeResolver::startup();
    }
    void cleanup() override {
        events.emplace_back("cleanup");
        FakeResolver::cleanup();
    }
    RequestHandle lookupByName(ReplyWindow& window, unsigned message, const std::string& name,
                               std::span<char> buffer) override {
        events.push_back("lookup " + name);
        return FakeResolver::lookupByName(window, message, name, buffer);
    }
    int cancel(RequestHandle handle) override {
        events.push_back(dialog ? "cancel, dialog alive" : "cancel, dialog gone");
        return FakeResolver::cancel(handle);
    }
};

LoggingResolver* resolver = nullptr;
test_support::RecordingMessageBoxes messages;
test_support::FakeClipboard clipboard;

std::unique_ptr<Resolver> makeResolver(UiThreadPoster& poster) {
    auto made = std::make_unique<LoggingResolver>();
    made->poster = dynamic_cast<QObject*>(&poster);
    resolver = made.get();
    return made;
}

} // namespace

class LookupAppTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        events.clear();
        messages.shown.clear();
        resolver->startupResult = 0;
        resolver->calls.clear();
    }

    // Message boxes carry it as their caption; argv[0] may say anything.
    void theApplicationIsNamedAfterItsExecutable() {
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("lookup_app_tests"));
    }

    void aFailedResolverStartShowsMessage107AndNothingElse() {
        resolver->startupResult = 10091;
        QVERIFY(!qobject_cast<LookupApp*>(qApp)->startup());
        QCOMPARE(messages.shown.size(), 1u);
        QCOMPARE(messages.shown[0].text, std::string("Winsock initialize error."));
        QCOMPARE(messages.shown[0].severity, Severity::Error);
        QCOMPARE(messages.shown[0].owner, nullptr);
        QCOMPARE(qobject_cast<LookupApp*>(qApp)->exitInstance(), 0);
        QCOMPARE(events, (std::vector<std::string>{"startup", "cleanup"}));
    }

    // The dialog is closed while a lookup is pending: the request is cancelled
    // while the dialog (and its buffer) still exists, then the library stops.
    void startUpRunsTheDialogAndExitStopsTheLibraryLast() {
        QTimer::singleShot(0, this, [] {
            auto* dialog = qobject_cast<LookupDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            events.emplace_back("dialog");
            resolver->dialog = dialog;
            dialog->findChild<QLineEdit*>(QStringLiteral("hostName"))->setText("example.org");
            dialog->findChild<QPushButton*>(QStringLiteral("toIp"))->click();
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        QVERIFY(!qobject_cast<LookupApp*>(qApp)->startup());
        QVERIFY(resolver->dialog.isNull());
        QCOMPARE(qobject_cast<LookupApp*>(qApp)->exitInstance(), 0);
        QCOMPARE(events,
                 (std::vector<std::string>{"startup", "register", "dialog", "lookup example.org",
                                           "cancel, dialog alive", "cleanup"}));
        QCOMPARE(resolver->cancelled, (std::vector<RequestHandle>{0x101}));
        QVERIFY(messages.shown.empty());
    }
};

} // namespace lookwell

int main(int argc, char* argv[]) {
    using namespace lookwell;
    int failures = 0;
    {
        LookupApp app(
            argc, argv, makeResolver, [] { events.emplace_back("register"); },
            WindowServices{messages, clipboard});
        LookupAppTest test;
        failures = QTest::qExec(&test, argc, argv);
    }
    // The resolver posts through the application's poster, so it must end first.
    if (!posterOutlivedResolver) {
        qCritical("FAIL: the resolver was destroyed after the poster it posts through");
        return 1;
    }
    return failures;
}

#include "lookup_app_test.moc"
