#pragma once

#include "registration/settings_store.h"

#include <cstdint>
#include <memory>

namespace lookwell {

// The update checker's root key; nothing is written unless it already exists.
inline constexpr char kTidemarkRoot[] = "Software\\Tidemark";

// The PascalCase of TidemarkOpenVendor, CurrentVendor, SetStringValue and the
// other registration names is deliberate: it is fixed by the Windows registry
// API they mirror (RegSetValueExA, RegDeleteValueA, ...); keep it.
//
// Writes a program's vendor and product entries under the update checker's key:
// open a vendor, register one or more products under it, close it. Texts are
// handed to the store byte for byte; a null text is absent, an empty one present.
// Results are 0 or a system error code: 87 and 1 for misuse, 8 when memory runs
// out, any other code as the store reported it. The program keeps one instance,
// so at most one vendor is open at a time; it is not safe for concurrent use.
class TidemarkRegistration {
public:
    explicit TidemarkRegistration(SettingsStore& store) : store_(store) {}

    // Opens the vendor for writing (its Author, InfoURL and DisplayHost values are
    // written) or, with neither author nor info address, deletes the vendor's key.
    Status TidemarkOpenVendor(const char* vendor, const char* author, const char* infoUrl,
                              const char* displayHost);
    // Writes a product key under the open vendor; any failure closes the vendor.
    Status TidemarkRegisterProduct(const char* distinctName, std::uint32_t build,
                                   const char* displayName, const char* filePath,
                                   std::uint32_t iconIndex);
    void TidemarkCloseVendor() { CurrentVendor.reset(); }

    // The open vendor's name, or null when none is open.
    const char* currentVendor() const { return CurrentVendor.get(); }

private:
    Status writeVendorValues(const char* author, const char* infoUrl, const char* displayHost);
    Status writeProductValues(const char* distinctName, std::uint32_t build,
                              const char* displayName, const char* filePath,
                              std::uint32_t iconIndex);
    // FilePath, and IconIndex only together with it and only when non-zero.
    Status writeFileValues(const char* productPath, const char* filePath, std::uint32_t iconIndex);

    SettingsStore& store_;
    std::unique_ptr<char[]> CurrentVendor;
};

// One change to one key, opened afresh (created with every missing key on its
// path) and closed again before returning.
// A null text deletes the value instead.
Status SetStringValue(SettingsStore& store, const char* keyPath, const char* name,
                      const char* text);
Status SetDwordValue(SettingsStore& store, const char* keyPath, const char* name,
                     std::uint32_t value);
Status DeleteValue(SettingsStore& store, const char* keyPath, const char* name);

} // namespace lookwell
