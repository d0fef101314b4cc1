// Creating update.txt as the button does: the What's New box's displayed
// lines taken from its layout at its width, then the file. Two sizes in one
// run, so that the growth with the number of lines shows.
#include "app/DisplayedLines.h"
#include "generators/UpdateTxt.h"

#include "platform/Unicode.h"

#include "UpdateTxtDoubles.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

using namespace tarvel;
using tarvel::bench::FixedPathDialogs;
using tarvel::bench::NoWindow;

namespace {

// `lines` lines in `versions` sections; every fifth note is long enough to
// wrap in the box.
QString WhatsNew(int lines, int versions) {
    QString text;
    const int perVersion = lines / versions;
    for (int v = 0; v < versions; ++v) {
        text += QStringLiteral("[%1.0]\n").arg(versions - v);
        for (int k = 1; k < perVersion - 1; ++k) {
            text +=
                QStringLiteral("Fixed issue %1 in the export of reports").arg(v * perVersion + k);
            if (k % 5 == 0)
                text += QStringLiteral(", which now keeps the column widths and the sort order "
                                       "that the user chose in the options dialog");
            text += QLatin1Char('\n');
        }
        text += QLatin1Char('\n');
    }
    return text;
}

void BM_CreateUpdateTxtFromBox(benchmark::State& state) {
    ::setenv("TARVEL_ACP", "1252", 1);
    const int lines = static_cast<int>(state.range(0));
    const int versions = static_cast<int>(state.range(1));
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "tarvel_bench_whatsnew_layout";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "update.txt").string();

    const QString whatsNew = WhatsNew(lines, versions);
    FixedPathDialogs dialogs(U16(path));
    NoWindow window;
    size_t displayed = 0;
    for (auto _ : state) {
        // A box that has never laid its text out, as after typing or a
        // project load: the layout of every line is part of the cost.
        state.PauseTiming();
        QPlainTextEdit box;
        box.setLineWrapMode(QPlainTextEdit::WidgetWidth);
        box.resize(308, 188); // Memo1's size in the window
        box.setPlainText(whatsNew);
        box.show();
        QApplication::processEvents();
        state.ResumeTiming();

        const DisplayedText text = DisplayedLines(&box);
        displayed = text.Lines.size();
        UpdateTxtRequest request;
        request.UpdateUrl = u"https://www.host.test/files/update.txt";
        request.NewVersion = u"5.2";
        request.DownloadLink = u"https://www.host.test/files/setup.exe";
        request.WhatsNewLines = text.Lines;
        request.WhatsNewEmpty = text.Empty;
        request.SupportOldVer = false;
        request.WindowCaption = u"Tarvel Updater Pro 5.2 - Configuration Tool";
        CreateUpdateTxt(request, dialogs, window);
    }
    if (dialogs.Saved != static_cast<int>(state.iterations()))
        state.SkipWithError("update.txt was not saved");
    state.counters["displayed_lines"] = static_cast<double>(displayed);
    state.SetItemsProcessed(state.iterations() * lines);
    std::filesystem::remove_all(folder);
}

} // namespace

// Arguments: text lines, versions.
BENCHMARK(BM_CreateUpdateTxtFromBox)
    ->Args({5000, 50})
    ->Args({50000, 500})
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
