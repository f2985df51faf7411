#include "app/lookup_app.h"
#include "tests/support/fake_resolver.h"
#include "tests/support/fake_window_services.h"
#include "ui/lookup_dialog.h"

#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
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

// The files of the process's mappings whose paths match a pattern.
QSet<QString> mappedFiles(const QRegularExpression& pattern) {
    QFile maps(QStringLiteral("/proc/self/maps"));
    QSet<QString> files;
    if (maps.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : maps.readAll().split('\n')) {
            const QString path = QString::fromLocal8Bit(line.mid(line.indexOf('/')));
            if (line.contains('/') && pattern.match(path).hasMatch()) {
                files.insert(path);
            }
        }
    }
    return files;
}

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

    // The icon and the bitmaps are compiled in and group boxes are drawn with
    // lines, so no image-format plugin is loaded; the dialog font is the
    // application's font, so a single font file is opened. Runs first, before
    // anything else in this program could load either.
    void startUpLoadsNoImagePluginAndOneFontFile() {
        QSet<QString> plugins;
        QSet<QString> fonts;
        QTimer::singleShot(0, this, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog != nullptr && QTest::qWaitForWindowExposed(dialog));
            dialog->grab(); // paints every control
            plugins = mappedFiles(QRegularExpression(QStringLiteral("/imageformats/")));
            fonts = mappedFiles(QRegularExpression(QStringLiteral("\\.(ttf|ttc|otf|pfb)$")));
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        QVERIFY(!qobject_cast<LookupApp*>(qApp)->startup());
        qobject_cast<LookupApp*>(qApp)->exitInstance();
        QCOMPARE(plugins, QSet<QString>());
        QCOMPARE(fonts.size(), 1);
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
