#include "platform/registry_settings.h"

namespace tessalo {

RegistrySettings readRegistrySettings(const RegistryStore& key) {
    RegistrySettings settings;
    settings.layoutIndex = key.queryDword("Layout").value_or(0);
    settings.picturesIndex = key.queryDword("Pictures").value_or(0);
    settings.recordsFile = key.queryString("RecordsFile", kRecordsFileValueRoom);
    settings.warnNoWayOut = key.queryDword("WarnNoWayOut") == 1;
    settings.fillScreen = key.queryDword(kFillScreenValue).value_or(0) == 1;
    settings.clearableDeals = key.queryDword("ClearableDeals") == 1;
    return settings;
}

void storeWarnNoWayOut(RegistryStore& key, bool on) {
    key.setDword("WarnNoWayOut", on ? 1 : 0);
}

std::string writeRegistrySettings(RegistryStore& key, std::int32_t layoutIndex,
                                  std::int32_t picturesIndex) {
    key.setDword("Layout", layoutIndex);
    key.setDword("Pictures", picturesIndex);
    return key.flush();
}

void setFillScreen(RegistryStore& key, bool on) {
    key.setDword(kFillScreenValue, on ? 1 : 0);
}

void setClearableDealsSetting(RegistryStore& key, bool on) {
    key.setDword("ClearableDeals", on ? 1 : 0);
}

} // namespace tessalo
