// Renders the main dialog, after a sample lookup, and the About box into PNG
// files for the documentation: screenshots <directory>.
#include "core/hostent_buffer.h"
#include "core/lookup_requests.h"
#include "tests/support/fake_resolver.h"
#include "ui/about_dialog.h"
#include "ui/lookup_dialog.h"
#include "ui/window_system/dialog_look.h"

#include <QApplication>
#include <QDir>
#include <QTest>

#include <cstdio>

namespace {

bool save(QWidget& window, const QString& path) {
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        return false;
    }
    return window.grab().save(path);
}

// The lookup of www.example.com, answered by the fake resolver.
void sampleLookup(lookwell::LookupDialog& dialog, lookwell::test_support::FakeResolver& resolver) {
    dialog.setHostName("www.example.com");
    dialog.findChild<QWidget*>(QStringLiteral("toIp"))->setFocus();
    QTest::keyClick(dialog.focusWidget(), Qt::Key_Space);
    const auto& call = resolver.calls.back();
    const auto length = lookwell::packHostEntry({"www.example.com", {}, {{93, 184, 216, 34}}},
                                                {call.buffer, call.size});
    dialog.receiveReply(call.message, 1, lookwell::makeReplyParam(0, length.value_or(0)));
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    lookwell::useDialogLook(); // as the program itself does
    if (argc != 2) {
        std::fputs("usage: screenshots <directory>\n", stderr);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    lookwell::LookupState state;
    lookwell::test_support::FakeResolver resolver;
    lookwell::LookupDialog dialog(state, resolver);
    sampleLookup(dialog, resolver);
    lookwell::AboutDialog about(&dialog);
    const bool saved = save(dialog, out.filePath(QStringLiteral("lookwell.png"))) &&
                       save(about, out.filePath(QStringLiteral("about.png")));
    return saved ? 0 : 1;
}
