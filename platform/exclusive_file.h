#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace tessalo {

// A file held for one operation so that no other holder, in this process or another, can have it
// meanwhile. The hold is an exclusive advisory lock; every holder goes through this class.
class ExclusiveFile {
  public:
    enum class Status {
        Opened,       // the file existed and is held
        Created,      // it did not exist; an empty file was made and is held
        Missing,      // it does not exist (and was not to be created)
        CannotCreate, // it does not exist and creating it failed (read-only folder, full disk)
        Busy,         // someone else holds it
        Failed,       // any other cause: access denied, missing folder, ...
    };
    enum class WhenMissing { Leave, Create };

    struct Opening;
    // `beforeLock` lets tests act in the gap between opening the file and locking it.
    static Opening open(const std::filesystem::path& path, WhenMissing whenMissing,
                        const std::function<void()>& beforeLock = {});

    ExclusiveFile() = default;
    ExclusiveFile(ExclusiveFile&& other) noexcept;
    ExclusiveFile& operator=(ExclusiveFile&& other) noexcept;
    ExclusiveFile(const ExclusiveFile&) = delete;
    ExclusiveFile& operator=(const ExclusiveFile&) = delete;
    ~ExclusiveFile() { close(); }

    bool isOpen() const { return descriptor_ >= 0; }
    // The whole contents. Returns an empty string on success, else the reason.
    std::string readAll(std::vector<std::uint8_t>& bytes) const;
    // Puts `bytes` in place of the contents without a moment in which the file is partly written,
    // and keeps the hold on the new file. `beforeRename` lets tests stop the process at the one
    // point where a crash matters. On failure the old contents stay and stay held.
    std::string replaceContents(std::span<const std::uint8_t> bytes,
                                const std::function<void()>& beforeRename = {});
    void close();

  private:
    ExclusiveFile(int descriptor, std::filesystem::path path)
        : descriptor_(descriptor), path_(std::move(path)) {}

    int descriptor_ = -1;
    std::filesystem::path path_;
};

struct ExclusiveFile::Opening {
    Status status = Status::Failed;
    ExclusiveFile file; // open only for Opened and Created
    std::string reason; // for Failed and CannotCreate
};

} // namespace tessalo
