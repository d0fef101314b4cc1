// Start-up cost of the tool as whole processes: from the start of the
// process to its window being shown (the process quits right after the
// first show), against a bare Qt program that shows one empty QWidget,
// measured side by side in one run. Each child's peak resident set is
// reported as well.
//
// The bare program is this binary itself, started with --bare-qt, so that
// both children pay the same dynamic loading of Qt.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

std::string SelfPath;

int RunBareQt(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.resize(688, 685);
    window.show();
    QTimer::singleShot(0, &application, &QCoreApplication::quit);
    return application.exec();
}

struct ChildRun {
    double Seconds = 0;
    long PeakKilobytes = 0;
    bool Ok = false;
};

// Starts the program and waits for it; wait4 gives this child's own
// figures from the same accounting as getrusage(RUSAGE_CHILDREN), without
// mixing in the other program's peak.
ChildRun RunChild(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    ChildRun run;
    const auto start = std::chrono::steady_clock::now();
    // Qt's notices on the offscreen platform would drown the table.
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &quiet, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0)
        return run;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        return run;
    run.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.PeakKilobytes = usage.ru_maxrss;
    run.Ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

void MeasureStartup(benchmark::State& state, const std::vector<std::string>& arguments) {
    long peak = 0;
    for (auto _ : state) {
        const ChildRun run = RunChild(arguments);
        if (!run.Ok) {
            state.SkipWithError("the program failed");
            return;
        }
        state.SetIterationTime(run.Seconds);
        peak = std::max(peak, run.PeakKilobytes);
    }
    state.counters["peak_rss_MB"] = static_cast<double>(peak) / 1024.0;
}

void BM_BareQtStartup(benchmark::State& state) {
    MeasureStartup(state, {SelfPath, "--bare-qt"});
}

void BM_TarvelConfigStartup(benchmark::State& state) {
    // A user of its own with the tool's folder in place, so that the start
    // meets no message box and touches no real projects.
    char config[] = "/tmp/tarvel-bench-config-XXXXXX";
    if (!::mkdtemp(config)) {
        state.SkipWithError("no temporary folder");
        return;
    }
    std::filesystem::create_directories(std::string(config) + "/Tarvel Updater");
    ::setenv("XDG_CONFIG_HOME", config, 1);
    ::setenv("TARVEL_QUIT_AFTER_SHOW", "1", 1);
    MeasureStartup(state, {TARVEL_CONFIG_PATH});
    ::unsetenv("TARVEL_QUIT_AFTER_SHOW");
    std::filesystem::remove_all(config);
}

BENCHMARK(BM_BareQtStartup)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_TarvelConfigStartup)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--bare-qt") == 0)
        return RunBareQt(argc, argv);
    SelfPath = "/proc/self/exe";
    char resolved[4096] = {};
    const ssize_t length = readlink("/proc/self/exe", resolved, sizeof resolved - 1);
    if (length > 0)
        SelfPath.assign(resolved, static_cast<size_t>(length));
    // No display is needed, and the tool keeps its state away from the
    // user's own.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    char configHome[] = "/tmp/tarvel-bench-XXXXXX";
    const bool ownConfigHome = mkdtemp(configHome) != nullptr;
    if (ownConfigHome)
        setenv("XDG_CONFIG_HOME", configHome, 1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (ownConfigHome) {
        std::error_code ignored;
        std::filesystem::remove_all(configHome, ignored);
    }
    return 0;
}
