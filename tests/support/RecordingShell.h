// A Shell double: records every start and every address in order and
// starts nothing. Each call reports the result in `Succeeds`.
#pragma once

#include "platform/Shell.h"

#include <string>
#include <vector>

namespace tarvel::test {

struct ShellCall {
    enum Kind { Start, Address, Folder } What;
    std::u16string Target; // the program, the address or the folder
    std::u16string Parameters;
    std::u16string WorkingFolder;

    bool operator==(const ShellCall&) const = default;
};

class RecordingShell : public Shell {
  public:
    std::vector<ShellCall> Calls;
    bool Succeeds = true;

    bool StartProgram(std::u16string_view file, std::u16string_view parameters,
                      std::u16string_view workingFolder) override {
        Calls.push_back({ShellCall::Start, std::u16string(file), std::u16string(parameters),
                         std::u16string(workingFolder)});
        return Succeeds;
    }
    bool OpenAddress(std::u16string_view address) override {
        Calls.push_back({ShellCall::Address, std::u16string(address), {}, {}});
        return Succeeds;
    }
    bool OpenFolder(std::u16string_view folder) override {
        Calls.push_back({ShellCall::Folder, std::u16string(folder), {}, {}});
        return Succeeds;
    }
};

} // namespace tarvel::test
