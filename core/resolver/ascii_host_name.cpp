#include "core/resolver/ascii_host_name.h"

#include <algorithm>
#include <dlfcn.h>
#include <idn2.h>
#include <memory>

namespace lookwell {
namespace {

using ToAscii = decltype(&idn2_to_ascii_8z);
using Free = decltype(&idn2_free);

struct Idn2 {
    ToAscii toAscii = nullptr;
    Free free = nullptr;
};

// libidn2, with libunistring beneath it, takes 1.6 million instructions to
// load, a fifth of all that Lookwell's start adds to a bare dialog's, and only
// a name that is not ASCII needs it: it is loaded for the first such name, on a
// resolver worker.
const Idn2& idn2() {
    static const Idn2 loaded = [] {
        Idn2 functions;
        if (void* library = dlopen("libidn2.so.0", RTLD_NOW | RTLD_LOCAL)) {
            functions.toAscii = reinterpret_cast<ToAscii>(dlsym(library, "idn2_to_ascii_8z"));
            functions.free = reinterpret_cast<Free>(dlsym(library, "idn2_free"));
        }
        return functions;
    }();
    return loaded;
}

} // namespace

std::string asciiHostName(const std::string& name) {
    if (std::ranges::all_of(name, [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        return name;
    }
    const Idn2& library = idn2();
    char* converted = nullptr;
    if (library.toAscii == nullptr || library.free == nullptr ||
        library.toAscii(name.c_str(), &converted, IDN2_NONTRANSITIONAL) != IDN2_OK) {
        return name;
    }
    const std::unique_ptr<char, Free> owned(converted, library.free);
    return converted;
}

} // namespace lookwell
