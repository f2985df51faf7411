#pragma once

#include "registration/posix_files.h"
#include "registration/settings_store.h"

#include <memory>
#include <optional>
#include <span>
#include <string>

namespace lookwell {

// The settings store as a file tree: a key is a directory, a value one file in it
// named after the value with its type as suffix ("<Name>.sz" holding the string's
// bytes, "<Name>.dword" holding 4 bytes, least significant first). Names match
// existing entries without regard to ASCII case, so a key or value keeps the
// spelling it was first created with. A key handle is the key directory's
// descriptor, and every operation given a path walks to its key afresh from the
// root, so a key renamed between two such calls is never written through;
// nothing outside the root directory is ever touched. A value that already holds the bytes to be
// set is not written again.
class PosixSettingsStore final : public SettingsStore {
public:
    explicit PosixSettingsStore(std::string rootDirectory);

    Status testKey(std::string_view path) override;
    Status createKey(std::string_view path, KeyHandle& key) override;
    Status setString(KeyHandle key, std::string_view name, std::string_view data) override;
    Status setDword(KeyHandle key, std::string_view name, std::uint32_t data) override;
    Status deleteValue(KeyHandle key, std::string_view name) override;
    Status deleteKey(std::string_view path) override;
    void closeKey(KeyHandle key) override;

private:
    using UniqueFd = posix_files::UniqueFd;

    Status openRoot(bool create, UniqueFd& root) const;
    Status openKey(std::span<const std::string_view> names, bool create, UniqueFd& key) const;
    Status setValue(KeyHandle key, std::string_view name, std::string_view suffix,
                    std::string_view bytes);

    std::string root_;
};

// "${XDG_CONFIG_HOME:-$HOME/.config}/hkcu"; relative settings are ignored, as the
// XDG rules say. None when neither gives an absolute directory.
std::optional<std::string> userStoreRoot();

// The current user's store; none when there is no home to keep it in.
std::unique_ptr<SettingsStore> openUserStore();

} // namespace lookwell
