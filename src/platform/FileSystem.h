// Files and folders, with the behaviour the tool expects of a Windows file
// system: existence tests follow links; names resolve without regard to
// letter case when exactly one entry matches; a file the user may not write
// cannot be deleted or replaced; whole-file writes are atomic.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvel {

// Windows error codes that the callers tell apart.
enum : int {
    kErrorFileNotFound = 2,
    kErrorPathNotFound = 3,
    kErrorTooManyOpenFiles = 4,
    kErrorAccessDenied = 5,
    kErrorAlreadyExists = 183,
};

// The Windows error code that stands for a POSIX errno.
int WindowsErrorFromErrno(int err);

// The system's message for a POSIX errno, as the %s of error texts.
std::u16string SystemErrorMessage(int err);

// Where the last component does not exist as written but exactly one entry
// of its folder matches it without regard to case, the path of that entry;
// otherwise the path unchanged.
std::u16string ResolvePathCase(std::u16string_view path);

bool FileExists(std::u16string_view path);      // an existing entry that is not a folder
bool DirectoryExists(std::u16string_view path); // an existing folder

// Creates one level. Returns 0 or the Windows error code.
int CreateDir(std::u16string_view path);

bool DeleteFile(std::u16string_view path);
bool CopyFile(std::u16string_view from, std::u16string_view to, bool failIfExists);
bool MoveFile(std::u16string_view from, std::u16string_view to);

// The whole file, or nullopt with errno in `err`.
std::optional<std::string> ReadWholeFile(std::u16string_view path, int& err);

// Replaces the file atomically: a temporary file in the same folder, fsync,
// rename. On failure the old file is untouched and errno is in `err`.
bool WriteWholeFile(std::u16string_view path, std::string_view bytes, int& err);

// The names of the entries of `folder` matching `pattern` ('*' and '?',
// without regard to case), folders and hidden entries included, in the order
// the system returns them.
std::vector<std::u16string> FindFiles(std::u16string_view folder, std::u16string_view pattern);

} // namespace tarvel
