#include "records/records_table.h"

#include "records/records_file.h"

#include <algorithm>
#include <filesystem>

namespace tessalo {

std::string clearableRecordsFileName(const std::string& recordsFile) {
    return (std::filesystem::path(recordsFile).parent_path() / kClearableRecordsFileName).string();
}

bool qualifiesIn(const std::vector<RecordEntry>& entries, const RecordEntry& entry) {
    std::size_t inGroup = 0;
    for (const RecordEntry& held : entries) {
        if (held.score > entry.score)
            break;
        if (sameGroup(held, entry) && ++inGroup >= kRecordsPerGroup)
            return false;
    }
    return true;
}

void placeEntry(std::vector<RecordEntry>& entries, const RecordEntry& entry) {
    const auto position = std::find_if(entries.begin(), entries.end(),
                                       [&](const RecordEntry& e) { return e.score > entry.score; });
    if (position == entries.end()) {
        entries.push_back(entry);
        return;
    }
    entries.insert(position, entry);
    std::size_t inGroup = 0;
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        if (sameGroup(*it, entry) && ++inGroup > kRecordsPerGroup) {
            entries.erase(it);
            return;
        }
    }
}

bool RecordsTable::load(bool closeAfterLoad) {
    file_.close();
    const auto whenMissing =
        closeAfterLoad ? ExclusiveFile::WhenMissing::Leave : ExclusiveFile::WhenMissing::Create;
    for (;;) {
        auto opening = ExclusiveFile::open(fileName_, whenMissing);
        using Status = ExclusiveFile::Status;
        if (opening.status == Status::Missing || opening.status == Status::Created) {
            // Nothing to read: the entries in memory are what the next save writes back.
            valid_ = true;
            file_ = std::move(opening.file);
            return true;
        }
        if (opening.status == Status::CannotCreate) {
            valid_ = false;
            prompt_.reportProblem(RecordsProblem::CannotCreate,
                                  "The records file " + fileName_ + " cannot be created (" +
                                      opening.reason + "). Nothing is stored in it.");
            return false;
        }
        if (opening.status == Status::Opened) {
            file_ = std::move(opening.file);
            break;
        }
        if (!prompt_.retryOpen()) {
            valid_ = false;
            return false;
        }
    }

    std::vector<std::uint8_t> bytes;
    std::string reason = file_.readAll(bytes);
    RecordsFileContents contents;
    if (reason.empty()) {
        contents = parseRecordsFile(bytes);
        reason = contents.damage;
        entries_ = std::move(contents.entries);
    }
    if (!reason.empty()) {
        // Writing back what could be read would destroy the rest for good.
        file_.close();
        valid_ = false;
        prompt_.reportProblem(RecordsProblem::Damaged,
                              "The records file " + fileName_ + " is damaged (" + reason +
                                  "). It is left as it is and no results are stored in it until it "
                                  "is repaired or removed.");
        return false;
    }
    valid_ = true;
    if (closeAfterLoad)
        file_.close();
    return true;
}

bool RecordsTable::save() {
    if (!valid_ || !file_.isOpen()) {
        file_.close();
        return false;
    }
    const auto bytes = serializeRecordsFile(entries_);
    const std::string reason = file_.replaceContents(bytes, beforeRename_);
    file_.close();
    if (!reason.empty()) {
        prompt_.reportProblem(RecordsProblem::NotWritten, "The records file " + fileName_ +
                                                              " could not be written (" + reason +
                                                              "). It keeps its previous contents.");
        return false;
    }
    return true;
}

bool RecordsTable::qualifies(const RecordEntry& entry) const {
    return qualifiesIn(entries_, entry);
}

bool RecordsTable::insert(const RecordEntry& entry) {
    if (!load(false))
        return false;
    if (!qualifies(entry)) {
        file_.close();
        return false;
    }
    std::vector<RecordEntry> before = entries_;
    placeEntry(entries_, entry);
    if (!save()) {
        entries_ = std::move(before);
        return false;
    }
    return true;
}

} // namespace tessalo
