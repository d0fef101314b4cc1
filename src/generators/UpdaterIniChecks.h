// The checks made before Updater.ini is written: which warnings to show,
// where the focus goes after each, and whether the run goes on. Pure: the
// caller looks up the file system and passes what it found.
#pragma once

#include "core/ProductSettings.h"

#include <string>
#include <string_view>
#include <vector>

namespace tarvel {

// The boxes a warning can send the focus to.
enum class UpdaterIniControl { Edit1, Edit2, Edit3, Edit6 };

struct UpdaterIniFacts {
    bool MainExeExists = false;      // MainExe names an existing file
    bool TargetFolderExists = false; // the folder derived from it exists
};

struct UpdaterIniWarning {
    std::u16string Text;
    UpdaterIniControl Focus;

    bool operator==(const UpdaterIniWarning&) const = default;
};

struct UpdaterIniVerdict {
    // Shown in order, each followed by its focus move.
    std::vector<UpdaterIniWarning> Warnings;
    // The checks got past the name and version-box tests, so the target
    // folder is derived and kept even when a later check stops the run.
    bool TargetFolderDerived = false;
    bool Proceed = false;
};

// Only the name is trimmed; every other box is empty only without any text.
// With a version source other than the main executable, an empty target
// folder stops the run as a missing executable would, rather than writing
// into the root folder.
UpdaterIniVerdict CheckUpdaterIniInput(const TProductSettings& settings,
                                       std::u16string_view versionBoxText,
                                       std::u16string_view targetFolder,
                                       const UpdaterIniFacts& facts);

} // namespace tarvel
