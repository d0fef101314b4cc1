#include "store/ProjectFolder.h"

#include "platform/CharUpper.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/KnownFolders.h"
#include "platform/Paths.h"
#include "platform/Unicode.h"

namespace tarvel {

std::u16string GetAppDataFolder() {
    return RoamingAppDataFolder();
}

std::u16string IoErrorText(int code) {
    switch (code) {
    case kErrorFileNotFound:
        return u"File not found";
    case kErrorPathNotFound:
        return u"Invalid filename";
    case kErrorTooManyOpenFiles:
        return u"Too many open files";
    case kErrorAccessDenied:
        return u"File access denied";
    default:
        return u"I/O error " + U16(std::to_string(code));
    }
}

void PrepareProjectFolder(std::u16string& projectFolder) {
    const std::u16string base = JoinPath(GetAppDataFolder(), u"Tarvel Updater");
    const std::u16string app = JoinPath(base, u"App");
    projectFolder = base;
    if (!DirectoryExists(app)) {
        if (int code = CreateDir(app); code != 0)
            throw EInOutError(IoErrorText(code), code);
        // A move that fails leaves the entry where it is; the App folder is
        // new, so no move meets an existing file.
        for (const std::u16string& name : FindFiles(base, u"*.txt"))
            MoveFile(JoinPath(base, name), JoinPath(app, name));
        for (const std::u16string& name : FindFiles(base, u"*.ini")) {
            // The uninstaller's own files stay with it.
            if (UpperCase(name).starts_with(u"UNINSTALL"))
                continue;
            MoveFile(JoinPath(base, name), JoinPath(app, name));
        }
    }
    projectFolder = app;
}

} // namespace tarvel
