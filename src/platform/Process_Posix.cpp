#include "platform/Process.h"

#include "platform/CommandLine.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Unicode.h"

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <mutex>
#include <optional>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace tarvel {

namespace {

// Reaping. Each child gets a detached thread that blocks in waitpid for
// that one pid, so it is reaped the moment it ends and never lingers as a
// zombie, while the caller returns at once. Waiting on single pids leaves
// other children of the process (a QProcess, say) alone, and no signal
// disposition of the process is changed. Should a thread not be had, the
// pid is kept and reaped without blocking at the next start.
std::mutex pendingLock;
std::vector<pid_t> pendingChildren;

void reapPending() {
    std::lock_guard<std::mutex> guard(pendingLock);
    std::erase_if(pendingChildren, [](pid_t pid) {
        const pid_t r = ::waitpid(pid, nullptr, WNOHANG);
        return r == pid || (r < 0 && errno == ECHILD);
    });
}

void reapWhenDone(pid_t pid) {
    try {
        std::thread([pid] {
            while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
            }
        }).detach();
    } catch (const std::system_error&) {
        std::lock_guard<std::mutex> guard(pendingLock);
        pendingChildren.push_back(pid);
    }
}

// Text that holds U+0000 cannot travel in an argument vector; refusing it
// beats starting the program with a silently shortened argument.
std::optional<std::string> argumentBytes(std::u16string_view text) {
    if (text.find(u'\0') != std::u16string_view::npos)
        return std::nullopt;
    return Utf16ToUtf8(text);
}

bool isExecutableFile(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

// An empty or relative PATH entry would mean the current folder, which is
// not a place to pick programs from.
std::optional<std::string> findOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    if (!path)
        return std::nullopt;
    std::string_view rest(path);
    while (true) {
        const size_t colon = rest.find(':');
        const std::string_view entry = rest.substr(0, colon);
        if (!entry.empty() && entry.front() == '/') {
            std::string candidate(entry);
            candidate += '/';
            candidate += name;
            if (isExecutableFile(candidate))
                return candidate;
        }
        if (colon == std::string_view::npos)
            return std::nullopt;
        rest.remove_prefix(colon + 1);
    }
}

// The program's absolute path. A relative name belongs to the working
// folder, as on Windows; the path is made absolute here because the child
// changes folder before it runs the program.
std::optional<std::string> resolveProgram(std::u16string_view file,
                                          std::u16string_view workingFolder) {
    if (file.empty())
        return std::nullopt;
    const bool hasFolder = file.find(u'/') != std::u16string_view::npos;
    std::u16string path;
    if (file.front() == u'/') {
        path = std::u16string(file);
    } else if (!workingFolder.empty()) {
        path = JoinPath(workingFolder, file, PathStyle::Posix);
    } else if (!hasFolder) {
        const auto bytes = argumentBytes(file);
        if (!bytes)
            return std::nullopt;
        return findOnPath(*bytes);
    } else {
        path = std::u16string(file);
    }
    path = ResolvePathCase(path);
    if (!FileExists(path))
        return std::nullopt;
    const auto bytes = argumentBytes(path);
    if (!bytes)
        return std::nullopt;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(*bytes, error);
    if (error)
        return std::nullopt;
    return absolute.string();
}

bool readAt(int fd, void* buffer, size_t size, off_t offset) {
    return ::pread(fd, buffer, size, offset) == static_cast<ssize_t>(size);
}

bool isWindowsExecutable(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    unsigned char dos[64];
    unsigned char pe[4];
    bool result = false;
    if (readAt(fd, dos, sizeof dos, 0) && dos[0] == 'M' && dos[1] == 'Z') {
        const uint32_t offset = dos[0x3C] | (dos[0x3D] << 8) | (dos[0x3E] << 16) |
                                (static_cast<uint32_t>(dos[0x3F]) << 24);
        result = readAt(fd, pe, sizeof pe, offset) && pe[0] == 'P' && pe[1] == 'E' && pe[2] == 0 &&
                 pe[3] == 0;
    }
    ::close(fd);
    return result;
}

// Starts argv[0] (an absolute path) detached: its own session, default
// signal handling and an empty signal mask whatever the caller has set.
bool spawnDetached(const std::vector<std::string>& argv, const std::string& workingFolder) {
    reapPending();
    std::vector<char*> pointers;
    for (const std::string& arg : argv)
        pointers.push_back(const_cast<char*>(arg.c_str()));
    pointers.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    if (posix_spawn_file_actions_init(&actions) != 0)
        return false;
    if (posix_spawnattr_init(&attributes) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        return false;
    }
    sigset_t none;
    sigemptyset(&none);
    sigset_t reset;
    sigemptyset(&reset);
    for (int sig : {SIGPIPE, SIGCHLD, SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGUSR1, SIGUSR2})
        sigaddset(&reset, sig);
    bool ready = posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK |
                                                           POSIX_SPAWN_SETSIGDEF) == 0 &&
                 posix_spawnattr_setsigmask(&attributes, &none) == 0 &&
                 posix_spawnattr_setsigdefault(&attributes, &reset) == 0;
    if (ready && !workingFolder.empty())
        ready = posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str()) == 0;

    pid_t pid = -1;
    // posix_spawn, not posix_spawnp: the path is already resolved, and no
    // shell is ever asked to run a file that is not a program.
    const bool started = ready && posix_spawn(&pid, pointers[0], &actions, &attributes,
                                              pointers.data(), environ) == 0;
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (started)
        reapWhenDone(pid);
    return started;
}

bool openWithDesktop(const std::string& target) {
    const auto opener = findOnPath("xdg-open");
    if (!opener)
        return false;
    return spawnDetached({*opener, target}, {});
}

} // namespace

bool StartProgram(std::u16string_view file, std::u16string_view parameters,
                  std::u16string_view workingFolder) {
    const auto program = resolveProgram(file, workingFolder);
    const auto folder = argumentBytes(workingFolder);
    if (!program || !folder)
        return false;
    std::vector<std::string> argv;
    if (isWindowsExecutable(*program)) {
        const auto wine = findOnPath("wine");
        if (!wine)
            return false;
        argv.push_back(*wine);
    }
    argv.push_back(*program);
    for (const std::u16string& arg : SplitWindowsArguments(parameters)) {
        auto bytes = argumentBytes(arg);
        if (!bytes)
            return false;
        argv.push_back(std::move(*bytes));
    }
    return spawnDetached(argv, *folder);
}

bool OpenAddress(std::u16string_view address) {
    const auto bytes = argumentBytes(address);
    // A text beginning with '-' would be read by xdg-open as an option.
    if (!bytes || bytes->empty() || bytes->front() == '-')
        return false;
    return openWithDesktop(*bytes);
}

bool OpenFolder(std::u16string_view folder) {
    auto bytes = argumentBytes(folder);
    if (!bytes || bytes->empty() || !DirectoryExists(folder))
        return false;
    if (bytes->front() == '-')
        bytes->insert(0, "./");
    return openWithDesktop(*bytes);
}

bool IsWindowsExecutable(std::u16string_view path) {
    const auto bytes = argumentBytes(path);
    return bytes && isWindowsExecutable(*bytes);
}

} // namespace tarvel
