// Creating update.txt from a large What's New text: the version sections,
// the INI write, and the legacy rewrite that reads the file back. Two sizes
// in one run, so that the growth with the number of lines shows.
#include "generators/UpdateTxt.h"

#include "platform/Unicode.h"

#include "UpdateTxtDoubles.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

using namespace tarvel;
using tarvel::bench::FixedPathDialogs;
using tarvel::bench::NoWindow;

namespace {

// `lines` lines in `versions` sections: a header, the notes, and an empty
// line between versions, as a vendor writes them.
std::vector<std::u16string> WhatsNew(int lines, int versions) {
    std::vector<std::u16string> text;
    text.reserve(static_cast<size_t>(lines));
    const int perVersion = lines / versions;
    for (int v = 0; v < versions; ++v) {
        text.push_back(u"[" + U16(std::to_string(versions - v) + ".0") + u"]");
        for (int k = 1; k < perVersion - 1; ++k)
            text.push_back(u"Fixed issue " + U16(std::to_string(v * perVersion + k)) +
                           u" in the export of reports (caf\u00e9 = ok)");
        text.push_back(u"");
    }
    return text;
}

void BM_CreateUpdateTxt(benchmark::State& state) {
    ::setenv("TARVEL_ACP", "1252", 1);
    const int lines = static_cast<int>(state.range(0));
    const int versions = static_cast<int>(state.range(1));
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "tarvel_bench_update_txt";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "update.txt").string();

    UpdateTxtRequest request;
    request.UpdateUrl = u"https://www.host.test/files/update.txt";
    request.NewVersion = u"5.2";
    request.DownloadLink = u"https://www.host.test/files/setup.exe";
    request.WhatsNewLines = WhatsNew(lines, versions);
    request.WhatsNewEmpty = false;
    request.SupportOldVer = state.range(2) != 0;
    request.WindowCaption = u"Tarvel Updater Pro 5.2 - Configuration Tool";

    FixedPathDialogs dialogs(U16(path));
    NoWindow window;
    for (auto _ : state)
        CreateUpdateTxt(request, dialogs, window);
    if (dialogs.Saved != static_cast<int>(state.iterations()))
        state.SkipWithError("update.txt was not saved");
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
    state.SetItemsProcessed(state.iterations() * lines);
    std::filesystem::remove_all(folder);
}

} // namespace

// Arguments: lines, versions, legacy lines.
BENCHMARK(BM_CreateUpdateTxt)
    ->Args({5000, 50, 0})
    ->Args({50000, 500, 0})
    ->Args({5000, 50, 1})
    ->Args({50000, 500, 1})
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
