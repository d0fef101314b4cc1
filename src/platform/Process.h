// Starting programs and handing addresses and folders to the desktop, as
// ShellExecuteW does with a null verb. What is started runs on its own: the
// caller never waits for it and reads nothing back.
#pragma once

#include <string>
#include <string_view>

namespace tarvel {

// Starts `file` with `parameters` split into arguments by the Windows rules,
// in `workingFolder` and a session of its own, never through a shell. A name
// without folder is looked for in the working folder (on the PATH when
// there is none). A Windows executable goes through `wine` when `wine` is on
// the PATH. False when nothing could be started.
bool StartProgram(std::u16string_view file, std::u16string_view parameters,
                  std::u16string_view workingFolder);

// Hands a web address to the default browser through `xdg-open`.
bool OpenAddress(std::u16string_view address);

// Shows an existing folder in the file manager through `xdg-open`.
bool OpenFolder(std::u16string_view folder);

// A file that begins with the DOS header and whose new-header offset points
// at the "PE\0\0" signature.
bool IsWindowsExecutable(std::u16string_view path);

} // namespace tarvel
