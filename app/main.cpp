#include "app/lookup_app.h"
#include "core/resolver/posix_resolver.h"
#include "registration/lookwell_registration.h"
#include "ui/version_info.h"

#include <memory>

// Kept in the binary for `strings` and file managers to find.
[[gnu::used]] static const char* const kVersionRecord = lookwell::version::kRecord;

int main(int argc, char* argv[]) {
    lookwell::LookupApp app(
        argc, argv,
        [](lookwell::UiThreadPoster& poster) {
            return std::make_unique<lookwell::PosixResolver>(poster);
        },
        [] { lookwell::RegisterWithTidemark(); });
    app.startup();
    return app.exitInstance();
}
