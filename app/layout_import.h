#pragma once

#include "game/layout_record.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tessalo {

// Where the import's messages go: a message box in the program, a list in tests. Texts are UTF-8.
class MessageSink {
  public:
    virtual ~MessageSink() = default;
    virtual void showMessage(const std::string& text) = 0;
};

inline constexpr const char* kNoLayoutInModuleMessage =
    "Выбранный модуль не содержит варианта раскладки";

// Appends the layout of the module at `modulePath` to `layouts` and rewrites the library at
// `libraryPath`. Returns the new layout's name (code page 1251) when one was added. The module file
// is deleted afterwards, except when the library could not be written: then the layout is taken
// back out of the list and the module stays, so nothing the user chose is lost.
std::optional<std::string> importLayoutModule(const std::filesystem::path& modulePath,
                                              std::vector<LayoutRecord>& layouts,
                                              const std::filesystem::path& libraryPath,
                                              MessageSink& messages);

} // namespace tessalo
