#pragma once

#include "registration/posix_files.h"
#include "registration/settings_store.h"

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lookwell {

// The settings store as a file tree: a key is a directory, a value one file in it
// named after the value with its type as suffix ("<Name>.sz" holding the string's
// bytes, "<Name>.dword" holding 4 bytes, least significant first). Names match
// existing entries without regard to ASCII case, so a key or value keeps the
// spelling it was first created with. A key handle is the key directory's
// descriptor; nothing outside the root directory is ever touched. A value that
// already holds the bytes to be set is not written again.
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

    // The key opened last, kept open for the store's life so that the next
    // operation on it, or on a key below it, starts there instead of walking
    // down from the root again. A key removed meanwhile is noticed and walked to
    // afresh; one that another hand renames is not, which a store that lives
    // for one registration can afford.
    class LastOpenedKey {
    public:
        // How many leading names of `names` the kept key stands for: all of its
        // own when they match (without regard to case) and its directory still
        // exists, otherwise 0.
        std::size_t reusableFor(std::span<const std::string_view> names) const;
        Status duplicate(UniqueFd& key) const;
        void remember(std::span<const std::string_view> names, const UniqueFd& key);
        void forget();

    private:
        std::vector<std::string> names_;
        UniqueFd directory_;
    };

    Status openRoot(bool create, UniqueFd& root) const;
    Status openKey(std::span<const std::string_view> names, bool create, UniqueFd& key);
    Status setValue(KeyHandle key, std::string_view name, std::string_view suffix,
                    std::string_view bytes);

    std::string root_;
    LastOpenedKey lastKey_;
};

// "${XDG_CONFIG_HOME:-$HOME/.config}/hkcu"; relative settings are ignored, as the
// XDG rules say. None when neither gives an absolute directory.
std::optional<std::string> userStoreRoot();

// The current user's store; none when there is no home to keep it in.
std::unique_ptr<SettingsStore> openUserStore();

} // namespace lookwell
