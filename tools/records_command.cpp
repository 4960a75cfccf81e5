#include "tools/tool_commands.h"

#include "platform/code_page_1251.h"
#include "records/records_file.h"
#include "records/records_table.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <utility>

namespace tessalo::tool {

namespace {

int usage() {
    std::fprintf(stderr, "usage: tessalo-tool records dump FILE\n"
                         "       tessalo-tool records check FILE\n");
    return 2;
}

bool readFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
    std::ifstream stream(path, std::ios::binary);
    if (!stream)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
    return !stream.bad();
}

std::string groupText(const RecordEntry& entry) {
    return cp1251ToUtf8(entry.picturesName) + " / " + cp1251ToUtf8(entry.layoutName);
}

int dump(const RecordsFileContents& contents) {
    for (std::size_t i = 0; i < contents.entries.size(); ++i) {
        const RecordEntry& e = contents.entries[i];
        std::printf("%zu\t%s\t%s\t%s\tremains %d\tseconds %d\thints %d\tscore %u\n", i + 1,
                    groupText(e).c_str(), cp1251ToUtf8(e.playerName).c_str(),
                    cp1251ToUtf8(e.dateText).c_str(), e.remains, e.seconds, e.hints, e.score);
    }
    return 0;
}

int check(const RecordsFileContents& contents) {
    int problems = 0;
    const auto& entries = contents.entries;
    for (std::size_t i = 1; i < entries.size(); ++i) {
        if (entries[i].score < entries[i - 1].score) {
            std::printf("entry %zu (score %u) comes after a greater score (%u)\n", i + 1,
                        entries[i].score, entries[i - 1].score);
            ++problems;
        }
    }
    std::map<std::pair<std::string, std::string>, std::size_t> groups;
    for (const RecordEntry& e : entries)
        ++groups[{e.picturesName, e.layoutName}];
    for (const auto& [group, count] : groups) {
        if (count > kRecordsPerGroup) {
            std::printf("group %s / %s holds %zu entries (at most %zu are kept)\n",
                        cp1251ToUtf8(group.first).c_str(), cp1251ToUtf8(group.second).c_str(),
                        count, kRecordsPerGroup);
            ++problems;
        }
    }
    // Only the entries before the damage were read, so a damaged file is never called in order.
    const char* verdict = !contents.damage.empty() ? "damaged"
                          : problems == 0          ? "in order"
                                                   : "out of order";
    std::printf("%zu entries in %zu groups: %s\n", entries.size(), groups.size(), verdict);
    return problems == 0 ? 0 : 1;
}

} // namespace

int runRecordsCommand(const std::vector<std::string>& args) {
    if (args.size() != 2 || (args[0] != "dump" && args[0] != "check"))
        return usage();
    std::vector<std::uint8_t> bytes;
    if (!readFile(args[1], bytes)) {
        std::fprintf(stderr, "tessalo-tool records: cannot read %s\n", args[1].c_str());
        return 1;
    }
    const RecordsFileContents contents = parseRecordsFile(bytes);
    const int status = args[0] == "dump" ? dump(contents) : check(contents);
    if (!contents.damage.empty()) {
        std::fprintf(stderr, "tessalo-tool records: %s is damaged: %s\n", args[1].c_str(),
                     contents.damage.c_str());
        return 1;
    }
    return status;
}

} // namespace tessalo::tool
