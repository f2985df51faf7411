// Windows build: the names live in the library's string table (one string per
// code, in language 1041) and are read with the platform's string loader.
#include "country_rows.h" // checks the rows the string table is built from
#include "natlas.h"

#include <atomic>
#include <windows.h>

namespace {

// Written only by the entry point, always with the same value. The entry point
// also runs at thread attach while other threads may be reading, so the handle
// is a relaxed atomic: no lock, and no data race in the language's terms.
std::atomic<HINSTANCE> moduleHandle = nullptr;

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
    moduleHandle.store(instance, std::memory_order_relaxed);
    return TRUE;
}

extern "C" char* NATLAS_CALL NatlasGetCountryName(uint32_t code, char* buffer) {
    // LoadStringA does not write the buffer on every failure path (a missing
    // string block, for one), so a code without a name would otherwise leave
    // the caller's old text in place.
    buffer[0] = '\0';
    LoadStringA(moduleHandle.load(std::memory_order_relaxed), code & 0xFFFF, buffer,
                NATLAS_NAME_BUFFER_SIZE);
    return buffer;
}
