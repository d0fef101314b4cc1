// Loading a large UTF-8 INI file and reading keys from it, against
// SimpleIni doing the same work and inih's bare scan as the floor.
#include "core/IniFiles.h"
#include "platform/Unicode.h"

#include <SimpleIni.h>
#include <benchmark/benchmark.h>
#include <ini.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace tarvel;

namespace {

constexpr int kSections = 500;
constexpr int kKeysPerSection = 1000;
constexpr int kLookups = 100000;

std::string sectionName(int s) {
    return "Section" + std::to_string(s);
}
std::string keyName(int k) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "Key%04d", k);
    return buffer;
}

// The test file: 500 sections of 1000 keys, about 13 MB, written once.
const std::string& iniPath() {
    static const std::string path = [] {
        std::string p = (std::filesystem::temp_directory_path() / "tarvel_bench_ini.ini").string();
        std::string text = "\xEF\xBB\xBF";
        text.reserve(14'000'000);
        char value[32];
        for (int s = 0; s < kSections; ++s) {
            text += "[" + sectionName(s) + "]\r\n";
            for (int k = 0; k < kKeysPerSection; ++k) {
                std::snprintf(value, sizeof value, "=Value %07d \xC3\xA9\r\n",
                              s * kKeysPerSection + k);
                text += keyName(k);
                text += value;
            }
            text += "\r\n";
        }
        std::ofstream(p, std::ios::binary)
            .write(text.data(), static_cast<std::streamsize>(text.size()));
        return p;
    }();
    return path;
}

int64_t fileSize() {
    return static_cast<int64_t>(std::filesystem::file_size(iniPath()));
}

struct Lookup {
    std::u16string Section, Key; // in the letter case of the file
};

// The same pseudo-random keys for every contender.
const std::vector<Lookup>& lookups() {
    static const std::vector<Lookup> list = [] {
        std::vector<Lookup> out;
        uint32_t x = 12345;
        for (int i = 0; i < kLookups; ++i) {
            x = x * 1664525u + 1013904223u;
            int s = static_cast<int>((x >> 8) % kSections);
            x = x * 1664525u + 1013904223u;
            int k = static_cast<int>((x >> 8) % kKeysPerSection);
            out.push_back({U16(sectionName(s)), U16(keyName(k))});
        }
        return out;
    }();
    return list;
}

void BM_TMemIniFile(benchmark::State& state) {
    const std::u16string path = U16(iniPath());
    const auto& keys = lookups();
    for (auto _ : state) {
        TMemIniFile ini(path, TextEncoding::Utf8);
        size_t found = 0;
        for (const Lookup& l : keys)
            found += !ini.ReadString(l.Section, l.Key, u"").empty();
        if (found != keys.size())
            state.SkipWithError("a key was not found");
        benchmark::DoNotOptimize(found);
    }
    state.SetBytesProcessed(state.iterations() * fileSize());
}

void BM_SimpleIni(benchmark::State& state) {
    const std::string& path = iniPath();
    const auto& keys = lookups();
    for (auto _ : state) {
        CSimpleIniW ini;
        ini.SetUnicode(true);
        if (ini.LoadFile(path.c_str()) != SI_OK)
            state.SkipWithError("SimpleIni could not load the file");
        size_t found = 0;
        for (const Lookup& l : keys) {
            const UChar* v = ini.GetValue(l.Section.c_str(), l.Key.c_str(), nullptr);
            found += v && *v;
        }
        if (found != keys.size())
            state.SkipWithError("a key was not found");
        benchmark::DoNotOptimize(found);
    }
    state.SetBytesProcessed(state.iterations() * fileSize());
}

int ignoreEntry(void*, const char*, const char*, const char*) {
    return 1;
}

void BM_InihScan(benchmark::State& state) {
    const std::string& path = iniPath();
    for (auto _ : state) {
        if (ini_parse(path.c_str(), ignoreEntry, nullptr) != 0)
            state.SkipWithError("inih could not parse the file");
    }
    state.SetBytesProcessed(state.iterations() * fileSize());
}

} // namespace

BENCHMARK(BM_TMemIniFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SimpleIni)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InihScan)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
