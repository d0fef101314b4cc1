// The Shell that really starts programs and opens pages.
#pragma once

#include "platform/Shell.h"

namespace tarvel {

class SystemShell : public Shell {
  public:
    bool StartProgram(std::u16string_view file, std::u16string_view parameters,
                      std::u16string_view workingFolder) override;
    bool OpenAddress(std::u16string_view address) override;
    bool OpenFolder(std::u16string_view folder) override;
};

} // namespace tarvel
