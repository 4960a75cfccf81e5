#include "platform/registry_settings.h"

namespace tessalo {

RegistrySettings readRegistrySettings(const RegistryStore& key) {
    RegistrySettings settings;
    settings.layoutIndex = key.queryDword("Layout").value_or(0);
    settings.picturesIndex = key.queryDword("Pictures").value_or(0);
    settings.recordsFile = key.queryString("RecordsFile", kRecordsFileValueRoom);
    settings.clearableDeals = key.queryDword("ClearableDeals").value_or(0) != 0;
    return settings;
}

std::string writeRegistrySettings(RegistryStore& key, std::int32_t layoutIndex,
                                  std::int32_t picturesIndex) {
    key.setDword("Layout", layoutIndex);
    key.setDword("Pictures", picturesIndex);
    return key.flush();
}

void setClearableDealsSetting(RegistryStore& key, bool on) {
    key.setDword("ClearableDeals", on ? 1 : 0);
}

} // namespace tessalo
