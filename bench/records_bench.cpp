#include "records/records_file.h"
#include "records/records_table.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace tessalo {
namespace {

constexpr int kEntries = 10000;

// 500 groups of 20, interleaved in score order, as a long-played table looks.
std::vector<RecordEntry> fullTable() {
    std::vector<RecordEntry> entries;
    for (int i = 0; i < kEntries; ++i) {
        RecordEntry e;
        const int group = i % 500;
        e.playerName = "Player " + std::to_string(i % 37);
        e.picturesName = "Pictures " + std::to_string(group / 20);
        e.layoutName = "Layout " + std::to_string(group % 20);
        e.dateText = "25.12.1999";
        e.seconds = 100 + i;
        e.score = static_cast<std::uint32_t>(e.seconds);
        entries.push_back(std::move(e));
    }
    return entries;
}

RecordEntry newResult() {
    RecordEntry e;
    e.playerName = "New";
    e.picturesName = "Pictures 0";
    e.layoutName = "Layout 3";
    e.dateText = "1.1.2000";
    e.score = 5000;
    return e;
}

class QuietPrompt : public RecordsPrompt {
  public:
    bool retryOpen() override { return false; }
    void reportProblem(RecordsProblem, const std::string&) override {}
};

void BM_PlaceInMemory(benchmark::State& state) {
    const auto table = fullTable();
    for (auto _ : state) {
        auto entries = table;
        if (qualifiesIn(entries, newResult()))
            placeEntry(entries, newResult());
        benchmark::DoNotOptimize(entries.data());
    }
}
BENCHMARK(BM_PlaceInMemory)->Unit(benchmark::kMicrosecond);

void BM_ParseAndSerialize(benchmark::State& state) {
    const auto bytes = serializeRecordsFile(fullTable());
    for (auto _ : state) {
        const auto contents = parseRecordsFile(bytes);
        benchmark::DoNotOptimize(serializeRecordsFile(contents.entries));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ParseAndSerialize)->Unit(benchmark::kMicrosecond);

// The whole operation a finished game pays for: hold, re-read, place, write, sync, rename.
void BM_InsertIntoFile(benchmark::State& state) {
    const auto folder =
        std::filesystem::temp_directory_path() / ("records-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const auto path = folder / "ts220.rec";
    const auto bytes = serializeRecordsFile(fullTable());
    QuietPrompt prompt;
    RecordsTable table(prompt);
    table.setFileName(path.string());
    for (auto _ : state) {
        state.PauseTiming();
        std::ofstream(path, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        state.ResumeTiming();
        if (!table.insert(newResult()))
            state.SkipWithError("insert failed");
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_InsertIntoFile)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tessalo
