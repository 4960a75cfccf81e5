#include "platform/atomic_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace tessalo {

namespace {

std::filesystem::path folderOf(const std::filesystem::path& target) {
    const auto parent = target.parent_path();
    return parent.empty() ? std::filesystem::path(".") : parent;
}

} // namespace

std::string systemReason(int errorNumber) {
    return std::strerror(errorNumber);
}

std::filesystem::path replacementTarget(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error))
        return path;
    const auto resolved = std::filesystem::canonical(path, error);
    return error ? path : resolved;
}

std::string createTemporaryBeside(const std::filesystem::path& target, TemporaryFile& temporary) {
    const auto folder = folderOf(target);
    std::random_device entropy;
    int error = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        // Appended piece by piece: GCC 12 at -O3 takes "." + string for an overlapping copy.
        std::string name = ".";
        name += target.filename().string();
        name += '.';
        name += std::to_string(::getpid());
        name += '-';
        name += std::to_string(entropy() % 1000000);
        name += ".tmp";
        const auto path = folder / name;
        // Created as any new file is (the umask applies); an existing file lends its mode below.
        const int descriptor = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor < 0) {
            error = errno;
            if (error == EEXIST)
                continue;
            break;
        }
        temporary.descriptor = descriptor;
        temporary.path = path;
        struct stat existing {};
        if (::stat(target.c_str(), &existing) == 0 &&
            ::fchmod(descriptor, existing.st_mode & 07777) != 0) {
            error = errno;
            discard(temporary);
            return "cannot set the permissions of " + path.string() + ": " + systemReason(error);
        }
        return {};
    }
    return "cannot create a file in " + folder.string() + ": " + systemReason(error);
}

std::string writeAllAndSync(int descriptor, std::span<const std::uint8_t> bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t result = ::write(descriptor, bytes.data() + written, bytes.size() - written);
        if (result < 0) {
            if (errno == EINTR)
                continue;
            return "cannot write: " + systemReason(errno);
        }
        written += static_cast<std::size_t>(result);
    }
    if (::fsync(descriptor) != 0)
        return "cannot write to the disk: " + systemReason(errno);
    return {};
}

std::string moveOver(const TemporaryFile& temporary, const std::filesystem::path& target) {
    if (::rename(temporary.path.c_str(), target.c_str()) != 0)
        return "cannot replace " + target.string() + ": " + systemReason(errno);
    const int folder = ::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        // Best effort: the new contents are already whole under the name.
        ::fsync(folder);
        ::close(folder);
    }
    return {};
}

void discard(TemporaryFile& temporary) {
    if (temporary.descriptor >= 0)
        ::close(temporary.descriptor);
    temporary.descriptor = -1;
    if (!temporary.path.empty())
        ::unlink(temporary.path.c_str());
    temporary.path.clear();
}

std::string writeFileAtomically(const std::filesystem::path& path,
                                std::span<const std::uint8_t> bytes) {
    const auto target = replacementTarget(path);
    TemporaryFile temporary;
    std::string reason = createTemporaryBeside(target, temporary);
    if (reason.empty())
        reason = writeAllAndSync(temporary.descriptor, bytes);
    if (reason.empty())
        reason = moveOver(temporary, target);
    if (!reason.empty()) {
        discard(temporary);
        return reason;
    }
    ::close(temporary.descriptor);
    return {};
}

} // namespace tessalo
