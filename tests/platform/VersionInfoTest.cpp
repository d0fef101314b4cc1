#include "platform/VersionInfo.h"

#include "platform/Unicode.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <sys/stat.h>

using namespace tarvel;
using tarvel::test::ReadBytes;
using tarvel::test::TempDir;

namespace {

std::string fixturePath(std::string_view name) {
    return std::string(TARVEL_TEST_DATA_DIR) + "/pe/" + std::string(name);
}

std::string fixture(std::string_view name) {
    return ReadBytes(fixturePath(name));
}

uint32_t get32(const std::string& b, size_t at) {
    uint32_t v;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}
void put16(std::string& b, size_t at, uint16_t v) {
    std::memcpy(b.data() + at, &v, 2);
}
void put32(std::string& b, size_t at, uint32_t v) {
    std::memcpy(b.data() + at, &v, 4);
}

std::span<const uint8_t> asBytes(const std::vector<uint8_t>& v) {
    return {v.data(), v.size()};
}

std::optional<std::u16string> queryText(std::span<const uint8_t> info, std::u16string_view path) {
    std::optional<VersionValue> value = VerQueryValue(info, path);
    if (!value)
        return std::nullopt;
    return VersionText(*value);
}

// Where the parts of a well-formed fixture lie, worked out apart from the
// reader so that tests can spoil one field at a time.
struct Layout {
    size_t Pe = 0;             // "PE\0\0"
    size_t Optional = 0;       // optional header
    size_t Sections = 0;       // section table
    size_t ResourceDir = 0;    // data directory entry of the resources
    size_t ResourceHeader = 0; // section header of .rsrc
    size_t Root = 0;           // root resource directory
    size_t TypeEntry = 0;      // the RT_VERSION entry of the root
    size_t NameEntry = 0;      // first entry of the name level
    size_t LanguageEntry = 0;  // first entry of the language level
    size_t DataEntry = 0;      // IMAGE_RESOURCE_DATA_ENTRY
};

Layout layoutOf(const std::string& image) {
    Layout l;
    l.Pe = get32(image, 0x3C);
    l.Optional = l.Pe + 24;
    uint16_t magic = static_cast<uint16_t>(get32(image, l.Optional) & 0xFFFF);
    l.ResourceDir = l.Optional + (magic == 0x20B ? 112 : 96) + 16;
    uint16_t optionalSize = static_cast<uint16_t>(get32(image, l.Pe + 20) & 0xFFFF);
    uint16_t count = static_cast<uint16_t>(get32(image, l.Pe + 6) & 0xFFFF);
    l.Sections = l.Optional + optionalSize;
    uint32_t rva = get32(image, l.ResourceDir);
    for (size_t i = 0; i < count; ++i) {
        size_t h = l.Sections + i * 40;
        if (image.compare(h, 6, ".rsrc\0", 6) == 0)
            l.ResourceHeader = h;
    }
    uint32_t va = get32(image, l.ResourceHeader + 12);
    l.Root = get32(image, l.ResourceHeader + 20) + (rva - va);
    l.TypeEntry = l.Root + 16;
    l.NameEntry = l.Root + 16 + (get32(image, l.TypeEntry + 4) & 0x7FFFFFFF);
    l.LanguageEntry = l.Root + 16 + (get32(image, l.NameEntry + 4) & 0x7FFFFFFF);
    l.DataEntry = l.Root + get32(image, l.LanguageEntry + 4);
    return l;
}

// The offset of the block whose key is `key` inside version information.
size_t blockOffset(const std::vector<uint8_t>& info, std::u16string_view key, size_t from = 0) {
    std::string needle = Utf16ToUtf16LE(key);
    needle.append(2, '\0');
    std::string_view bytes(reinterpret_cast<const char*>(info.data()), info.size());
    size_t at = bytes.find(needle, from);
    EXPECT_NE(at, std::string_view::npos) << Utf16ToUtf8(key);
    return at - 6;
}

// A version block built by hand: header, key, value and children, each part
// aligned to 32 bits as the format asks.
std::string makeBlock(std::u16string_view key, std::u16string_view text,
                      const std::vector<std::string>& children = {}) {
    std::string b(6, '\0');
    b += Utf16ToUtf16LE(key);
    b.append(2, '\0');
    b.resize((b.size() + 3) & ~size_t{3}, '\0');
    uint16_t valueLength = 0;
    if (!text.empty()) {
        b += Utf16ToUtf16LE(text);
        b.append(2, '\0');
        valueLength = static_cast<uint16_t>(text.size() + 1);
    }
    for (const std::string& child : children) {
        b.resize((b.size() + 3) & ~size_t{3}, '\0');
        b += child;
    }
    put16(b, 0, static_cast<uint16_t>(b.size()));
    put16(b, 2, valueLength);
    put16(b, 4, 1);
    return b;
}

std::vector<uint8_t> toInfo(const std::string& bytes) {
    return {bytes.begin(), bytes.end()};
}

} // namespace

TEST(VersionInfo, FindsStringsOfTheFixtures) {
    struct Case {
        const char* File;
        std::u16string_view Query;
        std::optional<std::u16string> Expected;
    };
    const Case cases[] = {
        {"two-translations.exe", u"\\StringFileInfo\\040904B0\\ProductVersion", u"1.2.3.4"},
        {"two-translations.exe", u"\\StringFileInfo\\040904B0\\FileVersion", u"5.6.7.8"},
        {"two-translations.exe", u"\\StringFileInfo\\040704E4\\ProductVersion", u"9.9.9.9"},
        {"two-translations.exe", u"\\StringFileInfo\\040904B0\\Missing", std::nullopt},
        {"two-translations.exe", u"\\StringFileInfo\\04090000\\ProductVersion", std::nullopt},
        // Names match without regard to case; the PE32 file's table is "040904b0".
        {"pe32-plain.exe", u"\\StringFileInfo\\040904B0\\ProductVersion", u"2.0"},
        {"pe32-plain.exe", u"\\stringfileinfo\\040904B0\\PRODUCTVERSION", u"2.0"},
        {"pe32-plain.exe", u"\\StringFileInfo\\040904b0\\FileVersion", u"2.0.1"},
        {"no-varfileinfo.exe", u"\\StringFileInfo\\040904B0\\ProductVersion", u"3.1"},
        {"no-varfileinfo.exe", u"\\VarFileInfo\\Translation", std::nullopt},
        // Empty components are skipped: a doubled backslash is one separator.
        {"two-translations.exe", u"\\StringFileInfo\\\\ProductVersion", std::nullopt},
        {"no-varfileinfo.exe", u"\\StringFileInfo\\\\ProductVersion", std::nullopt},
        {"two-translations.exe", u"\\\\StringFileInfo\\\\040904B0\\\\ProductVersion", u"1.2.3.4"},
        {"two-translations.exe", u"StringFileInfo\\040904B0\\ProductVersion\\", u"1.2.3.4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.File) + " " + Utf16ToUtf8(c.Query));
        std::optional<std::vector<uint8_t>> info = VersionInfoFromImage(fixture(c.File));
        ASSERT_TRUE(info);
        EXPECT_EQ(queryText(asBytes(*info), c.Query), c.Expected);
    }
}

TEST(VersionInfo, EmptyComponentNeverMatchesAnEmptyKey) {
    // StringFileInfo holds a table with an empty name, then a block named
    // ProductVersion: the doubled backslash skips to the latter.
    std::string tree = makeBlock(
        u"VS_VERSION_INFO", u"",
        {makeBlock(u"StringFileInfo", u"",
                   {makeBlock(u"", u"", {makeBlock(u"ProductVersion", u"from-empty-table")}),
                    makeBlock(u"ProductVersion", u"direct")})});
    std::vector<uint8_t> info = toInfo(tree);
    EXPECT_EQ(queryText(asBytes(info), u"\\StringFileInfo\\\\ProductVersion"), u"direct");
}

TEST(VersionInfo, TranslationIsTheRawDwordArray) {
    struct Case {
        const char* File;
        std::vector<uint32_t> Expected;
    };
    const Case cases[] = {
        {"two-translations.exe", {0x04B00409u, 0x04E40407u}},
        {"pe32-plain.exe", {0x04B00409u}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.File);
        std::optional<std::vector<uint8_t>> info = VersionInfoFromImage(fixture(c.File));
        ASSERT_TRUE(info);
        std::optional<VersionValue> value =
            VerQueryValue(asBytes(*info), u"\\VarFileInfo\\Translation");
        ASSERT_TRUE(value);
        EXPECT_FALSE(value->IsText);
        EXPECT_EQ(VersionDwords(*value), c.Expected);
    }
}

TEST(VersionInfo, RootValueIsTheFixedFileInfo) {
    std::optional<std::vector<uint8_t>> info =
        VersionInfoFromImage(fixture("two-translations.exe"));
    ASSERT_TRUE(info);
    for (std::u16string_view root : {u"\\", u""}) {
        std::optional<VersionValue> value = VerQueryValue(asBytes(*info), root);
        ASSERT_TRUE(value);
        std::vector<uint32_t> fixed = VersionDwords(*value);
        ASSERT_EQ(fixed.size(), 13u);
        EXPECT_EQ(fixed[0], 0xFEEF04BDu);
        EXPECT_EQ(fixed[2], 0x00050006u); // FILEVERSION 5,6,...
        EXPECT_EQ(fixed[5], 0x00030004u); // PRODUCTVERSION ...,3,4
    }
}

TEST(VersionInfo, ImagesWithoutVersionResource) {
    for (const char* file : {"no-version.exe", "no-resources.exe"}) {
        SCOPED_TRACE(file);
        EXPECT_FALSE(FindVersionResource(fixture(file)));
        EXPECT_EQ(GetFileVersionInfoSize(U16(fixturePath(file))), 0u);
        std::vector<uint8_t> buffer(64);
        EXPECT_FALSE(GetFileVersionInfo(U16(fixturePath(file)), buffer));
    }
}

TEST(VersionInfoFile, ReadsTheSameBytesAsTheImageInMemory) {
    for (const char* file : {"two-translations.exe", "pe32-plain.exe", "no-varfileinfo.exe"}) {
        SCOPED_TRACE(file);
        std::u16string path = U16(fixturePath(file));
        uint32_t size = GetFileVersionInfoSize(path);
        std::vector<uint8_t> buffer(size);
        ASSERT_TRUE(GetFileVersionInfo(path, buffer));
        EXPECT_EQ(buffer, VersionInfoFromImage(fixture(file)));
    }
    // Offset and size of the resource as pefile reports them.
    std::optional<VersionResourceLocation> where =
        FindVersionResource(fixture("two-translations.exe"));
    ASSERT_TRUE(where);
    EXPECT_EQ(where->Offset, 0x858u);
    EXPECT_EQ(where->Size, 692u);
}

TEST(VersionInfoFile, BufferShorterThanTheRootBlockYieldsNoValues) {
    std::u16string path = U16(fixturePath("two-translations.exe"));
    std::vector<uint8_t> buffer(GetFileVersionInfoSize(path) - 1);
    ASSERT_TRUE(GetFileVersionInfo(path, buffer));
    EXPECT_FALSE(VerQueryValue(asBytes(buffer), u"\\VarFileInfo\\Translation"));
    EXPECT_FALSE(VerQueryValue(asBytes(buffer), u"\\"));
}

TEST(VersionInfoFile, UnreadablePathsGiveNothing) {
    TempDir dir;
    std::string locked = dir.write("locked.exe", fixture("two-translations.exe"));
    ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
    std::string folder = dir.file("folder.exe");
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    std::string fifo = dir.file("pipe.exe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);

    for (const std::string& path : {dir.file("missing.exe"), locked, folder, fifo}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(GetFileVersionInfoSize(U16(path)), 0u);
        std::vector<uint8_t> buffer(1024);
        EXPECT_FALSE(GetFileVersionInfo(U16(path), buffer));
    }
}

TEST(VersionInfoFile, TruncatedFilesOnDisk) {
    const std::string image = fixture("two-translations.exe");
    TempDir dir;
    for (size_t length :
         {size_t{0}, size_t{1}, size_t{0x3C}, size_t{0x100}, size_t{0x858}, size_t{0xB0B}}) {
        SCOPED_TRACE(length);
        std::string path = dir.write("cut.exe", image.substr(0, length));
        EXPECT_EQ(GetFileVersionInfoSize(U16(path)), 0u);
    }
    std::string path = dir.write("whole.exe", image.substr(0, 0xB0C));
    EXPECT_EQ(GetFileVersionInfoSize(U16(path)), 692u);
}

TEST(VersionInfoMalformed, EveryTruncationGivesAllOrNothing) {
    for (const char* file : {"two-translations.exe", "pe32-plain.exe"}) {
        SCOPED_TRACE(file);
        const std::string image = fixture(file);
        std::optional<VersionResourceLocation> whole = FindVersionResource(image);
        ASSERT_TRUE(whole);
        const uint64_t end = whole->Offset + whole->Size;
        for (size_t length = 0; length <= image.size(); ++length) {
            // A copy of exactly `length` bytes, so that reading past it is caught.
            std::vector<char> cut(image.begin(), image.begin() + static_cast<long>(length));
            std::optional<VersionResourceLocation> where =
                FindVersionResource(std::string_view(cut.data(), cut.size()));
            if (length < end) {
                EXPECT_FALSE(where) << length;
            } else {
                ASSERT_TRUE(where) << length;
                EXPECT_EQ(where->Offset, whole->Offset);
            }
        }
    }
}

TEST(VersionInfoMalformed, SpoiledHeadersAndResourceDirectory) {
    const std::string image = fixture("two-translations.exe");
    const Layout l = layoutOf(image);
    ASSERT_TRUE(FindVersionResource(image)); // the layout found the right places
    ASSERT_EQ(get32(image, l.TypeEntry), 16u);

    struct Case {
        const char* What;
        std::function<void(std::string&)> Spoil;
    };
    const Case cases[] = {
        {"no MZ", [](std::string& b) { b[0] = 'X'; }},
        {"PE header far out", [](std::string& b) { put32(b, 0x3C, 0xFFFFFFF0u); }},
        {"PE header at the end", [](std::string& b) { put32(b, 0x3C, uint32_t(b.size() - 4)); }},
        {"no PE signature", [&](std::string& b) { b[l.Pe + 1] = 'X'; }},
        {"unknown optional magic", [&](std::string& b) { put16(b, l.Optional, 0x107); }},
        {"optional header too small", [&](std::string& b) { put16(b, l.Pe + 20, 0x60); }},
        {"too few data directories", [&](std::string& b) { put32(b, l.ResourceDir - 16 - 4, 2); }},
        {"section count beyond the file", [&](std::string& b) { put16(b, l.Pe + 6, 0xFFFF); }},
        {"resource rva unmapped", [&](std::string& b) { put32(b, l.ResourceDir, 0x7FFF0000u); }},
        {"resource rva zero", [&](std::string& b) { put32(b, l.ResourceDir, 0); }},
        {"raw data far out", [&](std::string& b) { put32(b, l.ResourceHeader + 20, 0xFFFFFF00u); }},
        {"no raw data", [&](std::string& b) { put32(b, l.ResourceHeader + 16, 0); }},
        {"root entry counts absurd",
         [&](std::string& b) {
             put16(b, l.Root + 12, 0xFFFF);
             put16(b, l.Root + 14, 0xFFFF);
         }},
        {"type directory is the root itself",
         [&](std::string& b) { put32(b, l.TypeEntry + 4, 0x80000000u); }},
        {"name directory is the root",
         [&](std::string& b) { put32(b, l.NameEntry + 4, 0x80000000u); }},
        {"language entry is a directory",
         [&](std::string& b) { put32(b, l.LanguageEntry + 4, 0x80000000u); }},
        {"type entry is data", [&](std::string& b) { put32(b, l.TypeEntry + 4, 0x18); }},
        {"type directory beyond the section",
         [&](std::string& b) { put32(b, l.TypeEntry + 4, 0xFFFFFFF0u); }},
        {"data entry beyond the section",
         [&](std::string& b) { put32(b, l.LanguageEntry + 4, 0x7FFFFFF0u); }},
        {"data rva far out", [&](std::string& b) { put32(b, l.DataEntry, 0xFFFFFFF0u); }},
        {"data size absurd", [&](std::string& b) { put32(b, l.DataEntry + 4, 0xFFFFFFFFu); }},
        {"data size zero", [&](std::string& b) { put32(b, l.DataEntry + 4, 0); }},
        {"no version type", [&](std::string& b) { put32(b, l.TypeEntry, 10); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        std::string spoiled = image;
        c.Spoil(spoiled);
        EXPECT_FALSE(FindVersionResource(spoiled));
        TempDir dir;
        EXPECT_EQ(GetFileVersionInfoSize(U16(dir.write("spoiled.exe", spoiled))), 0u);
    }
}

TEST(VersionInfoMalformed, SpoiledBlockTree) {
    const std::optional<std::vector<uint8_t>> good =
        VersionInfoFromImage(fixture("two-translations.exe"));
    ASSERT_TRUE(good);
    constexpr std::u16string_view kVersion = u"\\StringFileInfo\\040904B0\\ProductVersion";
    constexpr std::u16string_view kTranslation = u"\\VarFileInfo\\Translation";

    auto spoiled = [&](std::u16string_view key, size_t field, uint16_t value) {
        std::vector<uint8_t> info = *good;
        size_t at = blockOffset(info, key) + field;
        info[at] = static_cast<uint8_t>(value);
        info[at + 1] = static_cast<uint8_t>(value >> 8);
        return info;
    };

    {
        SCOPED_TRACE("root longer than the information");
        std::vector<uint8_t> info = spoiled(u"VS_VERSION_INFO", 0, 0xFFFF);
        EXPECT_FALSE(VerQueryValue(asBytes(info), kVersion));
        EXPECT_FALSE(VerQueryValue(asBytes(info), kTranslation));
    }
    {
        SCOPED_TRACE("root too short for its own key");
        std::vector<uint8_t> info = spoiled(u"VS_VERSION_INFO", 0, 20);
        EXPECT_FALSE(VerQueryValue(asBytes(info), u"\\"));
    }
    {
        SCOPED_TRACE("string table longer than its parent");
        std::vector<uint8_t> info = spoiled(u"040904B0", 0, 0xFFF0);
        EXPECT_FALSE(VerQueryValue(asBytes(info), kVersion));
        // A sibling of the spoiled block's parent is still found.
        EXPECT_TRUE(VerQueryValue(asBytes(info), kTranslation));
    }
    {
        SCOPED_TRACE("a block of length zero ends the scan");
        std::vector<uint8_t> info = spoiled(u"040704E4", 0, 0);
        EXPECT_FALSE(VerQueryValue(asBytes(info), kVersion));
    }
    {
        SCOPED_TRACE("value longer than its block stops at the block's end");
        std::vector<uint8_t> info = *good;
        size_t block = blockOffset(info, u"ProductVersion", blockOffset(info, u"040904B0"));
        info[block + 2] = 0xFF; // wValueLength far beyond the block
        info[block + 3] = 0xFF;
        // Overwrite the terminating zero: the text may not run into what follows.
        size_t length = size_t{info[block]} | size_t{info[block + 1]} << 8;
        ASSERT_EQ(info[block + length - 2], 0);
        info[block + length - 2] = 'X';
        EXPECT_EQ(queryText(asBytes(info), kVersion), u"1.2.3.4X");
    }
}
