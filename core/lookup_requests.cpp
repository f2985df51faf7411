#include "core/lookup_requests.h"

#include "core/address_fields.h"
#include "core/socket_errors.h"

namespace lookwell {

LookupRequests::LookupRequests(LookupState& state, Resolver& resolver, LookupView& view,
                               HostentBuffer& buffer)
    : state_(state), resolver_(resolver), view_(view), buffer_(buffer) {}

LookupRequests::~LookupRequests() {
    cancelAtExit(state_, resolver_);
}

void LookupRequests::startNameLookup() {
    if (state_.pending != 0) {
        return;
    }
    markPending(resolver_.lookupByName(view_.replyWindow(), WM_LOOKUP_NAME_DONE, view_.hostName(),
                                       buffer_.span()));
}

void LookupRequests::startAddressLookup() {
    if (state_.pending != 0) {
        return;
    }
    const FieldTexts fields = readFields(view_);
    if (!validateFields(fields)) {
        view_.showMessage(text::kAddressFormatError, Severity::Warning);
        return;
    }
    const Ipv4Bytes address = toNetworkOrder(packAddress(fields));
    markPending(resolver_.lookupByAddress(view_.replyWindow(), WM_LOOKUP_ADDR_DONE, address,
                                          kAddressFamilyInet, buffer_.span()));
}

void LookupRequests::markPending(RequestHandle handle) {
    state_.handle = handle;
    state_.pending = 1;
    view_.setTitle(loadText(text::kTitleSearching));
}

int LookupRequests::finishReply(std::uint32_t lparam) {
    state_.pending = 0;
    view_.setTitle(loadText(text::kTitleIdle));
    return replyError(lparam);
}

// The private-address label keeps its state: only the two boxes are cleared.
int LookupRequests::reportFailure(int error) {
    view_.setClassText(std::string());
    view_.setCountryText(std::string());
    view_.showMessage(messageForError(error), Severity::Error);
    return 1;
}

int LookupRequests::handleNameReply(std::uint32_t lparam) {
    const int error = finishReply(lparam);
    if (error != 0) {
        clearFields(view_);
        return reportFailure(error);
    }
    if (const auto address = firstAddress(buffer_)) {
        fillFromAddress(view_, *address);
    }
    view_.enableToHostName(true);
    view_.refreshAddressInfo();
    return 0;
}

int LookupRequests::handleAddressReply(std::uint32_t lparam) {
    const int error = finishReply(lparam);
    if (error != 0) {
        view_.setHostName(std::string());
        return reportFailure(error);
    }
    view_.setHostName(officialName(buffer_));
    view_.refreshAddressInfo();
    return 0;
}

void cancelAtExit(LookupState& state, Resolver& resolver) {
    if (state.pending != 0) {
        resolver.cancel(state.handle);
        state.pending = 0;
    }
}

unsigned messageForError(int error) {
    switch (error) {
    case wsa::kNetworkDown:
        return text::kNetworkDown;
    case wsa::kNoBufferSpace:
        return text::kInsufficientBuffer;
    case wsa::kHostNotFound:
        return text::kHostNotFound;
    case wsa::kTryAgain:
        return text::kServerNotFound;
    case wsa::kNoRecovery:
        return text::kUnrecoverable;
    case wsa::kNoData:
        return text::kNoEntry;
    default:
        return text::kUnknownError;
    }
}

} // namespace lookwell
