// ReadProductVersion on a 200 MB executable whose resources sit at its end:
// the reader should seek to them, not read its way there. Besides the time
// per call it reports the bytes read from files per call (rchar of
// /proc/self/io).
#include "core/ProductVersion.h"
#include "platform/Unicode.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

using namespace tarvel;

namespace {

constexpr uint64_t kResourceOffset = 200ull << 20;

uint16_t get16(const std::string& b, size_t at) {
    uint16_t v;
    std::memcpy(&v, b.data() + at, 2);
    return v;
}

uint32_t get32(const std::string& b, size_t at) {
    uint32_t v;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

// A sparse copy of the fixture with the raw data of .rsrc moved to 200 MB;
// headers and the other sections stay where they were.
std::string makeLargeImage() {
    std::ifstream in(std::string(TARVEL_TEST_DATA_DIR) + "/pe/two-translations.exe",
                     std::ios::binary);
    std::string image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (image.size() < 0x40)
        return {};
    size_t pe = get32(image, 0x3C);
    size_t count = get16(image, pe + 6);
    size_t table = pe + 24 + get16(image, pe + 20);
    for (size_t i = 0; i < count; ++i) {
        size_t h = table + i * 40;
        if (image.compare(h, 6, ".rsrc\0", 6) != 0)
            continue;
        uint32_t rawSize = get32(image, h + 16);
        uint32_t rawOffset = get32(image, h + 20);
        std::string resources = image.substr(rawOffset, rawSize);
        std::string head = image.substr(0, rawOffset);
        uint32_t moved = static_cast<uint32_t>(kResourceOffset);
        std::memcpy(head.data() + h + 20, &moved, 4);

        std::string path =
            (std::filesystem::temp_directory_path() / "tarvel_bench_version_info.exe").string();
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(head.data(), static_cast<std::streamsize>(head.size()));
        out.seekp(static_cast<std::streamoff>(kResourceOffset));
        out.write(resources.data(), static_cast<std::streamsize>(resources.size()));
        return out ? path : std::string();
    }
    return {};
}

uint64_t bytesReadSoFar() {
    std::ifstream io("/proc/self/io");
    std::string name;
    uint64_t value = 0;
    while (io >> name >> value) {
        if (name == "rchar:")
            return value;
    }
    return 0;
}

void BM_ReadProductVersion(benchmark::State& state) {
    static const std::string path = makeLargeImage();
    if (path.empty() || std::filesystem::file_size(path) < kResourceOffset) {
        state.SkipWithError("could not make the large image");
        return;
    }
    const std::u16string path16 = U16(path);
    if (ReadProductVersion(path16, u"") != u"1.2.3.4") {
        state.SkipWithError("the large image gives the wrong version");
        return;
    }
    // Counted over the whole loop, so that reading /proc/self/io stays out
    // of the time per call; what one reading of it adds is taken off.
    uint64_t probe = bytesReadSoFar();
    const uint64_t probeCost = bytesReadSoFar() - probe;
    const uint64_t before = bytesReadSoFar();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadProductVersion(path16, u""));
    const uint64_t read = bytesReadSoFar() - before - probeCost;
    state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(path));
    state.counters["bytes_read_per_call"] =
        benchmark::Counter(static_cast<double>(read), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ReadProductVersion)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
