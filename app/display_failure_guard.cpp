#include "app/display_failure_guard.h"

#include "app/display_probe.h"

#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace lookwell {

namespace {

// A message with copies of its context's texts, which may not outlive the call.
struct HeldMessage {
    QtMsgType type;
    std::string file;
    std::string function;
    std::string category;
    int line;
    QString text;
};

struct GuardState {
    const CommandLine* commandLine = nullptr;
    QtMessageHandler previous = nullptr;
    std::vector<HeldMessage> held;
};

GuardState& guardState() {
    static GuardState state;
    return state;
}

void pass(const HeldMessage& message) {
    const QMessageLogContext context(message.file.c_str(), message.line, message.function.c_str(),
                                     message.category.c_str());
    guardState().previous(message.type, context, message.text);
}

void replayHeld() {
    for (const HeldMessage& message : guardState().held) {
        pass(message);
    }
    guardState().held.clear();
}

const char* orEmpty(const char* text) {
    return text == nullptr ? "" : text;
}

[[noreturn]] void endWithoutAbort(const HeldMessage& fatal) {
    const auto sentence = unreachableDisplaySentence(
        *guardState().commandLine, displayEnvironmentFromProcess(), SocketDisplayProbe());
    if (sentence) {
        std::fputs(sentence->c_str(), stderr);
    } else {
        replayHeld();
        pass(fatal);
    }
    std::fflush(stderr);
    std::_Exit(1);
}

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    HeldMessage message{type,
                        orEmpty(context.file),
                        orEmpty(context.function),
                        orEmpty(context.category),
                        context.line,
                        text};
    if (type == QtFatalMsg) {
        endWithoutAbort(message);
    }
    guardState().held.push_back(std::move(message));
}

} // namespace

DisplayFailureGuard::DisplayFailureGuard(const CommandLine& commandLine) {
    guardState().commandLine = &commandLine;
    guardState().previous = qInstallMessageHandler(holdMessage);
}

DisplayFailureGuard::~DisplayFailureGuard() {
    qInstallMessageHandler(guardState().previous);
    replayHeld();
    guardState().commandLine = nullptr;
}

} // namespace lookwell
