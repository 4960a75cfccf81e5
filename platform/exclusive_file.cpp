#include "platform/exclusive_file.h"

#include "platform/atomic_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tessalo {

namespace {

// A holder replaces the file by renaming a new one over it. Whoever locked the old one in that
// moment must notice and open again; after this many replacements in a row we call it busy.
constexpr int kOpenAttempts = 100;

bool folderExists(const std::filesystem::path& path) {
    const auto parent = path.parent_path();
    std::error_code error;
    return parent.empty() || std::filesystem::is_directory(parent, error);
}

// True when the descriptor still names the file found at `path`.
bool stillAtPath(int descriptor, const std::filesystem::path& path) {
    struct stat held {};
    struct stat named {};
    if (::fstat(descriptor, &held) != 0 || ::stat(path.c_str(), &named) != 0)
        return false;
    return held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

} // namespace

ExclusiveFile::Opening ExclusiveFile::open(const std::filesystem::path& path,
                                           WhenMissing whenMissing,
                                           const std::function<void()>& beforeLock) {
    Opening opening;
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        bool created = false;
        int descriptor = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
        if (descriptor < 0) {
            if (errno != ENOENT || !folderExists(path)) {
                opening.reason = systemReason(errno);
                return opening;
            }
            if (whenMissing == WhenMissing::Leave) {
                opening.status = Status::Missing;
                return opening;
            }
            descriptor = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (descriptor < 0) {
                if (errno == EEXIST)
                    continue; // someone else made it first: open theirs
                opening.status = Status::CannotCreate;
                opening.reason = systemReason(errno);
                return opening;
            }
            created = true;
        }
        if (beforeLock)
            beforeLock();
        if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(descriptor);
            if (error == EWOULDBLOCK || error == EINTR) {
                opening.status = Status::Busy;
                return opening;
            }
            opening.reason = systemReason(error);
            return opening;
        }
        if (!stillAtPath(descriptor, path)) {
            ::close(descriptor);
            continue;
        }
        opening.status = created ? Status::Created : Status::Opened;
        opening.file = ExclusiveFile(descriptor, path);
        return opening;
    }
    opening.status = Status::Busy;
    return opening;
}

ExclusiveFile::ExclusiveFile(ExclusiveFile&& other) noexcept
    : descriptor_(other.descriptor_), path_(std::move(other.path_)) {
    other.descriptor_ = -1;
}

ExclusiveFile& ExclusiveFile::operator=(ExclusiveFile&& other) noexcept {
    if (this != &other) {
        close();
        descriptor_ = other.descriptor_;
        path_ = std::move(other.path_);
        other.descriptor_ = -1;
    }
    return *this;
}

std::string ExclusiveFile::readAll(std::vector<std::uint8_t>& bytes) const {
    bytes.clear();
    if (descriptor_ < 0)
        return "the file is not open";
    if (::lseek(descriptor_, 0, SEEK_SET) != 0)
        return "cannot read " + path_.string() + ": " + systemReason(errno);
    std::uint8_t buffer[65536];
    for (;;) {
        const ssize_t count = ::read(descriptor_, buffer, sizeof buffer);
        if (count < 0) {
            if (errno == EINTR)
                continue;
            return "cannot read " + path_.string() + ": " + systemReason(errno);
        }
        if (count == 0)
            return {};
        bytes.insert(bytes.end(), buffer, buffer + count);
    }
}

std::string ExclusiveFile::replaceContents(std::span<const std::uint8_t> bytes,
                                           const std::function<void()>& beforeRename) {
    if (descriptor_ < 0)
        return "the file is not open";
    const auto target = replacementTarget(path_);
    TemporaryFile temporary;
    std::string reason = createTemporaryBeside(target, temporary);
    if (!reason.empty())
        return reason;
    // Locked before it gets the name, so that nobody can take the new file between the rename
    // and the moment we let go of the old one.
    if (::flock(temporary.descriptor, LOCK_EX | LOCK_NB) != 0)
        reason = "cannot lock " + temporary.path.string() + ": " + systemReason(errno);
    if (reason.empty())
        reason = writeAllAndSync(temporary.descriptor, bytes);
    if (reason.empty() && beforeRename)
        beforeRename();
    if (reason.empty())
        reason = moveOver(temporary, target);
    if (!reason.empty()) {
        discard(temporary);
        return reason;
    }
    ::close(descriptor_);
    descriptor_ = temporary.descriptor;
    return {};
}

void ExclusiveFile::close() {
    if (descriptor_ >= 0)
        ::close(descriptor_); // closing releases the lock
    descriptor_ = -1;
}

} // namespace tessalo
