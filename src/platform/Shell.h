// The starts and pages that the window asks for, behind an interface so
// that the handlers can be tested with a recording double.
#pragma once

#include <string_view>

namespace tarvel {

class Shell {
  public:
    virtual ~Shell() = default;

    // As StartProgram, OpenAddress and OpenFolder of Process.h.
    virtual bool StartProgram(std::u16string_view file, std::u16string_view parameters,
                              std::u16string_view workingFolder) = 0;
    virtual bool OpenAddress(std::u16string_view address) = 0;
    virtual bool OpenFolder(std::u16string_view folder) = 0;
};

} // namespace tarvel
