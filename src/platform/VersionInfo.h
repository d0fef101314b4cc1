// Version information of Windows executables (PE32 and PE32+), read the way
// version.dll reads it: GetFileVersionInfoSizeW and GetFileVersionInfoW find
// the VS_VERSIONINFO resource (type RT_VERSION, its first name, the first
// language of that name) through the PE headers and the resource directory;
// VerQueryValueW walks the block tree inside it.
//
// Only the headers, the resource directory and the resource bytes are read,
// at their offsets, never the whole file. Every offset and length is checked
// against what was read and against the file's size: a malformed file gives
// no version information, never a read out of bounds.
#pragma once

#include "platform/ByteSource.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarvel {

// Where the version resource of an image lies in the file.
struct VersionResourceLocation {
    uint64_t Offset = 0;
    uint32_t Size = 0;
};

// The version resource of the image that `source` holds, or nullopt when it
// has none or its headers or resource directory are malformed.
std::optional<VersionResourceLocation> FindVersionResource(const ByteSource& source);

// The same over an image in memory (tests, fuzzing).
std::optional<VersionResourceLocation> FindVersionResource(std::string_view image);

// GetFileVersionInfoSizeW: the size in bytes of the file's version
// information, 0 when the file cannot be read or has none.
uint32_t GetFileVersionInfoSize(std::u16string_view path);

// GetFileVersionInfoW: copies the version information into `buffer` (at most
// its size). False when the file cannot be read, has no version information
// or its root block does not fit the bytes copied.
bool GetFileVersionInfo(std::u16string_view path, std::span<uint8_t> buffer);

// The version information of an image in memory, as GetFileVersionInfoW
// would copy it; nullopt when there is none.
std::optional<std::vector<uint8_t>> VersionInfoFromImage(std::string_view image);

// The value of a block found by VerQueryValue: its bytes inside the version
// information, and whether the block says it holds text (wType 1).
struct VersionValue {
    std::span<const uint8_t> Bytes;
    bool IsText = false;
};

// VerQueryValueW over version information as GetFileVersionInfo copied it.
// `subBlock` is a path of block names separated by backslashes, matched
// without regard to letter case; "\" or "" names the root block (its value
// is VS_FIXEDFILEINFO), "\VarFileInfo\Translation" the translation array,
// "\StringFileInfo\<langcp>\<name>" a string. Empty components, as in
// "\StringFileInfo\\ProductVersion", are skipped like a doubled separator:
// that path names a block "ProductVersion" directly under StringFileInfo,
// which a well-formed file does not have. nullopt when a block is missing or
// the tree is malformed on the way.
std::optional<VersionValue> VerQueryValue(std::span<const uint8_t> info,
                                          std::u16string_view subBlock);

// A text value up to its terminating zero, never past the value's block.
std::u16string VersionText(const VersionValue& value);

// The 32-bit little-endian entries of a value, such as the Translation
// array (language in the low 16 bits, code page in the high 16 bits).
std::vector<uint32_t> VersionDwords(const VersionValue& value);

} // namespace tarvel
