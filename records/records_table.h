#pragma once

#include "platform/exclusive_file.h"
#include "records/record_entry.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace tessalo {

inline constexpr const char* kRecordsFileName = "ts220.rec";
// Games dealt only from deals proven clearable are ranked apart, in this file beside the other.
inline constexpr const char* kClearableRecordsFileName = "ts220c.rec";
inline constexpr std::size_t kRecordsPerGroup = 20;

// What went wrong with the file, beyond the busy file that `retryOpen` asks about.
enum class RecordsProblem {
    CannotCreate, // the file is absent and could not be made (read-only folder, full disk)
    Damaged,      // its contents end early; it is left as it is
    NotWritten,   // the new contents could not be written; the old ones stay
};

// What the table needs from the person at the screen; the windows implement it (a message box
// owned by the current window), tests answer it themselves.
class RecordsPrompt {
  public:
    // UTF-8, for the window layer that shows them.
    static constexpr const char* kOpenErrorText = "Ошибка при открытии файла рекордов";
    static constexpr const char* kOpenErrorCaption = "Tessalo";

    virtual ~RecordsPrompt() = default;
    // The file cannot be opened (another copy of the game holds it, access is denied, ...).
    // True asks to try again, false cancels the operation.
    virtual bool retryOpen() = 0;
    // `detail` is an English account with the file's name and the system's reason, for logs
    // and tools; the windows show a sentence of their own for each `problem`.
    virtual void reportProblem(RecordsProblem problem, const std::string& detail) = 0;
};

// The best results, grouped by (pictures set, layout), at most 20 per group, in ascending score
// order. The file is held exclusively only inside one operation.
class RecordsTable {
  public:
    explicit RecordsTable(RecordsPrompt& prompt) : prompt_(prompt) {}

    const std::string& fileName() const { return fileName_; }
    void setFileName(std::string name) { fileName_ = std::move(name); }
    bool valid() const { return valid_; }
    const std::vector<RecordEntry>& entries() const { return entries_; }

    // Fills `entries` from the file. With `closeAfterLoad` false the file stays held (and is
    // created when absent) for the `save` that follows. A damaged file is reported, never written
    // back; its complete entries before the damage are kept in memory for showing.
    bool load(bool closeAfterLoad);
    // Replaces the file's contents with `entries` and lets go of it. Only after `load(false)`.
    bool save();
    // Whether `entry` would enter the table, judged on the entries in memory.
    bool qualifies(const RecordEntry& entry) const;
    // Re-reads the file under the hold, places `entry` and rewrites the file. False when it was
    // not stored (cancelled, no longer qualifies, or the file could not be written); the
    // entries in memory then stay as they were read.
    bool insert(const RecordEntry& entry);
    // Lets go of a held file without writing it.
    void release() { file_.close(); }

    // For the compress command, between `load(false)` and `save()`.
    std::vector<RecordEntry>& mutableEntries() { return entries_; }
    // For tests: runs between writing the new contents and giving them the file's name.
    void setBeforeRenameHook(std::function<void()> hook) { beforeRename_ = std::move(hook); }

  private:
    RecordsPrompt& prompt_;
    std::string fileName_ = kRecordsFileName;
    bool valid_ = false;
    ExclusiveFile file_;
    std::vector<RecordEntry> entries_;
    std::function<void()> beforeRename_;
};

// The clearable deals' records file that lies in the folder of `recordsFile`.
std::string clearableRecordsFileName(const std::string& recordsFile);

// Places `entry` after every entry of equal or lower score and drops its group's 21st entry.
void placeEntry(std::vector<RecordEntry>& entries, const RecordEntry& entry);
bool qualifiesIn(const std::vector<RecordEntry>& entries, const RecordEntry& entry);

} // namespace tessalo
