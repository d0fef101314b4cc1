// Stub programs for the tests of starting programs and opening addresses:
// shell scripts that write down how they were started, and a PATH override
// that puts a folder of such stubs first.
#pragma once

#include "support/TempDir.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace tarvel::test {

// Sets PATH for the life of the object and puts the old value back.
class PathOverride {
  public:
    explicit PathOverride(const std::string& value) {
        if (const char* old = std::getenv("PATH"))
            Old = old;
        ::setenv("PATH", value.c_str(), 1);
    }
    ~PathOverride() {
        if (Old)
            ::setenv("PATH", Old->c_str(), 1);
        else
            ::unsetenv("PATH");
    }
    PathOverride(const PathOverride&) = delete;
    PathOverride& operator=(const PathOverride&) = delete;

  private:
    std::optional<std::string> Old;
};

// How a stub was started, as it wrote it down.
struct StubRecord {
    long Pid = 0;
    long Session = 0;
    std::string Folder;            // its working folder, links resolved
    std::vector<std::string> Argv; // $0 and every argument
};

// Writes an executable stub `name` under `dir` that records into
// `recordPath`. The record appears whole (written aside, then renamed), so a
// reader never sees half of it.
inline std::string WriteRecordingStub(const TempDir& dir, const std::string& name,
                                      const std::string& recordPath) {
    const std::string script = "#!/bin/sh\n"
                               "PATH=/usr/bin:/bin\n"
                               "out='" +
                               recordPath +
                               "'\n"
                               "{\n"
                               "  echo $$\n"
                               "  cut -d' ' -f6 /proc/$$/stat\n"
                               "  pwd -P\n"
                               "  for a in \"$0\" \"$@\"; do printf '%s\\n' \"$a\"; done\n"
                               "} > \"$out.part\" && mv \"$out.part\" \"$out\"\n";
    const std::string path = dir.write(name, script);
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    return path;
}

// The stub's record once it is there, or nothing after `timeout`.
inline std::optional<StubRecord>
WaitForRecord(const std::string& recordPath,
              std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!std::filesystem::exists(recordPath)) {
        if (std::chrono::steady_clock::now() > deadline)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::ifstream in(recordPath);
    StubRecord record;
    std::string line;
    std::getline(in, line);
    record.Pid = std::atol(line.c_str());
    std::getline(in, line);
    record.Session = std::atol(line.c_str());
    std::getline(in, record.Folder);
    while (std::getline(in, line))
        record.Argv.push_back(line);
    return record;
}

// Whether a record appears within a short while; for checks that nothing
// was started through a real stub.
inline bool RecordAppears(const std::string& recordPath) {
    return WaitForRecord(recordPath, std::chrono::milliseconds(300)).has_value();
}

// A file with the DOS and PE signatures where Windows looks for them.
inline std::string WindowsExecutableBytes() {
    std::string bytes(0x80, '\0');
    bytes[0] = 'M';
    bytes[1] = 'Z';
    bytes[0x3C] = 0x40;
    bytes.replace(0x40, 4, std::string("PE\0\0", 4));
    return bytes;
}

inline std::string Canonical(const std::string& path) {
    return std::filesystem::canonical(path).string();
}

} // namespace tarvel::test
