// Windows build: the names live in the library's string table (one string per
// code, in language 1041) and are read with the platform's string loader.
#include "country_rows.h" // checks the rows the string table is built from
#include "natlas.h"

#include <windows.h>

namespace {

// Written only by the entry point, always with the same value, so readers on
// other threads need no lock.
HINSTANCE moduleHandle = nullptr;

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
    moduleHandle = instance;
    return TRUE;
}

extern "C" char* NATLAS_CALL NatlasGetCountryName(uint32_t code, char* buffer) {
    // LoadStringA does not write the buffer on every failure path (a missing
    // string block, for one), so a code without a name would otherwise leave
    // the caller's old text in place.
    buffer[0] = '\0';
    LoadStringA(moduleHandle, code & 0xFFFF, buffer, NATLAS_NAME_BUFFER_SIZE);
    return buffer;
}
