// The folder-part, name-part and join rules of paths, in the Windows style
// (backslash or colon) and in the POSIX style ('/'). The tool uses the
// native style; both are kept here so that each can be tested.
#pragma once

#include <string>
#include <string_view>

namespace tarvel {

enum class PathStyle { Windows, Posix };

#ifdef _WIN32
constexpr PathStyle kNativePathStyle = PathStyle::Windows;
#else
constexpr PathStyle kNativePathStyle = PathStyle::Posix;
#endif

// The separator placed between a folder and a name: '\' or '/'.
char16_t PathDelimiter(PathStyle style = kNativePathStyle);

// The text up to and including the last separator (Windows: backslash or
// colon); empty when there is none.
std::u16string ExtractFilePath(std::u16string_view path, PathStyle style = kNativePathStyle);

// The folder part: the text up to the last separator, the final separator
// dropped unless it follows a colon or another separator (Windows) or is
// the root or follows another '/' (POSIX). "C:\app.exe" gives "C:\",
// "/app.exe" gives "/", a bare name gives empty text.
std::u16string ExtractFileDir(std::u16string_view path, PathStyle style = kNativePathStyle);

// The text after the last separator, or the whole text without one.
std::u16string ExtractFileName(std::u16string_view path, PathStyle style = kNativePathStyle);

// folder + separator + name, unconditionally (a folder ending in a
// separator so gives two in a row, which the file system reads as one).
std::u16string JoinPath(std::u16string_view folder, std::u16string_view name,
                        PathStyle style = kNativePathStyle);

// The form the file functions accept beyond 260 characters. Windows style:
// a path of 260 UTF-16 units or more gets "\\?\" in front, a network path
// "\\?\UNC" in front of all but its first backslash; a path that already
// has the long form, or is shorter, is returned unchanged. POSIX style has
// no such limit: the path is returned unchanged.
std::u16string ToLongPath(std::u16string_view path, PathStyle style = kNativePathStyle);

} // namespace tarvel
