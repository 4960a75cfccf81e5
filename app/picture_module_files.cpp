#include "app/picture_module_files.h"

#include <algorithm>
#include <system_error>

namespace tessalo {

namespace {

char asciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

std::string asciiUpper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) { return asciiUpper(c); });
    return text;
}

bool hasModuleExtension(const std::string& name) {
    static const std::string extension = asciiUpper(kPicturesModuleExtension);
    return name.size() >= extension.size() &&
           asciiUpper(name.substr(name.size() - extension.size())) == extension;
}

} // namespace

std::vector<std::string> pictureModuleFileNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code notAFile;
        if (!entry->is_regular_file(notAFile))
            continue;
        std::string name = entry->path().filename().string();
        if (hasModuleExtension(name))
            names.push_back(std::move(name));
    }
    // Names equal but for case are ordered by their bytes, so the order never depends on the
    // listing's own.
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string upperA = asciiUpper(a);
        const std::string upperB = asciiUpper(b);
        return upperA != upperB ? upperA < upperB : a < b;
    });
    return names;
}

} // namespace tessalo
