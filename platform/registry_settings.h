#pragma once

#include "platform/registry_store.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tessalo {

inline constexpr const char* kRegistryKey = "SOFTWARE\\OVK\\Tessalo2";
// An old misspelling of the key; only ever deleted.
inline constexpr const char* kMisspeltRegistryKey = "SOWTWARE\\OVK\\Tessalo2";
inline constexpr std::size_t kRecordsFileValueRoom = 260;

struct RegistrySettings {
    std::int32_t layoutIndex = 0;
    std::int32_t picturesIndex = 0;
    std::optional<std::string> recordsFile; // the records table keeps its default when none
    bool warnNoWayOut = false;
    bool fillScreen = false;
    bool clearableDeals = false; // "ClearableDeals": only deals proven clearable
};

// "Layout" and "Pictures" count only when they hold exactly four bytes; "RecordsFile" only when
// it fits in 260 bytes with its terminator.
RegistrySettings readRegistrySettings(const RegistryStore& key);
// "WarnNoWayOut" is on only when it holds the DWORD 1.
void storeWarnNoWayOut(RegistryStore& key, bool on);
// "RecordsFile" is never written. Returns an empty string on success, else the reason.
std::string writeRegistrySettings(RegistryStore& key, std::int32_t layoutIndex,
                                  std::int32_t picturesIndex);
// Sets "ClearableDeals" (1 or 0) for the next `writeRegistrySettings` to flush.
void setClearableDealsSetting(RegistryStore& key, bool on);

// "FillScreen": 1 when the game fills the screen; counts only when it holds exactly four bytes.
inline constexpr const char* kFillScreenValue = "FillScreen";
void setFillScreen(RegistryStore& key, bool on);

} // namespace tessalo
