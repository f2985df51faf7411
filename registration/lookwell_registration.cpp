#include "registration/lookwell_registration.h"

#include "registration/posix_settings_store.h"

namespace lookwell {

void RegisterWithTidemark(TidemarkRegistration& registration, const char* executablePath) {
    using namespace lookwell_entry;
    registration.TidemarkOpenVendor(kVendor, kAuthor, kInfoUrl, kDisplayHost);
    registration.TidemarkRegisterProduct(kProduct, kBuild, kDisplayName, executablePath,
                                         kIconIndex);
    registration.TidemarkCloseVendor();
}

void RegisterWithTidemark(const char* executablePath) {
    const std::unique_ptr<SettingsStore> store = openUserStore();
    if (store) {
        TidemarkRegistration registration(*store);
        RegisterWithTidemark(registration, executablePath);
    }
}

} // namespace lookwell
