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
// is deleted once its layout is in the library, or when a layout of its name already is; any
// other file stays, so a wrong pick loses nothing. When the library cannot be written the layout
// is taken back out of the list and the module stays too.
std::optional<std::string> importLayoutModule(const std::filesystem::path& modulePath,
                                              std::vector<LayoutRecord>& layouts,
                                              const std::filesystem::path& libraryPath,
                                              MessageSink& messages);

} // namespace tessalo
