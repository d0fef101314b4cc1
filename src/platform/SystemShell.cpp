#include "platform/SystemShell.h"

#include "platform/Process.h"

namespace tarvel {

bool SystemShell::StartProgram(std::u16string_view file, std::u16string_view parameters,
                               std::u16string_view workingFolder) {
    return tarvel::StartProgram(file, parameters, workingFolder);
}

bool SystemShell::OpenAddress(std::u16string_view address) {
    return tarvel::OpenAddress(address);
}

bool SystemShell::OpenFolder(std::u16string_view folder) {
    return tarvel::OpenFolder(folder);
}

} // namespace tarvel
