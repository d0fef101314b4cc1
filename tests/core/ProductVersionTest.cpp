#include "core/ProductVersion.h"

#include "platform/Unicode.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sys/stat.h>

using namespace tarvel;
using tarvel::test::ReadBytes;
using tarvel::test::TempDir;

namespace {

std::string fixturePath(std::string_view name) {
    return std::string(TARVEL_TEST_DATA_DIR) + "/pe/" + std::string(name);
}

} // namespace

TEST(ProductVersion, ReadsTheFirstTranslationsString) {
    struct Case {
        const char* File;
        std::u16string_view Parameters;
        std::u16string_view Expected;
    };
    const Case cases[] = {
        // The German table comes first in the file; the first translation wins.
        {"two-translations.exe", u"", u"1.2.3.4"},
        {"two-translations.exe", u"-usefileversion", u"5.6.7.8"},
        {"two-translations.exe", u"/silent -usefileversionx /q", u"5.6.7.8"},
        {"two-translations.exe", u"-UseFileVersion", u"1.2.3.4"},
        {"two-translations.exe", u"-usefile version", u"1.2.3.4"},
        // Table named "040904b0": names match without regard to case.
        {"pe32-plain.exe", u"", u"2.0"},
        {"pe32-plain.exe", u"-usefileversion", u"2.0.1"},
        // Without a translation the query has an empty table name and finds nothing.
        {"no-varfileinfo.exe", u"", u""},
        {"no-varfileinfo.exe", u"-usefileversion", u""},
        {"no-version.exe", u"", u""},
        {"no-resources.exe", u"", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.File) + " [" + Utf16ToUtf8(c.Parameters) + "]");
        EXPECT_EQ(ReadProductVersion(U16(fixturePath(c.File)), c.Parameters), c.Expected);
    }
}

TEST(ProductVersion, TranslationPicksTheTableByItsHexName) {
    // Swap the two Translation entries: the German table's strings come back.
    std::string image = ReadBytes(fixturePath("two-translations.exe"));
    const char english[] = "\x09\x04\xB0\x04\x07\x04\xE4\x04";
    size_t at = image.find(std::string_view(english, 8));
    ASSERT_NE(at, std::string::npos);
    std::memcpy(image.data() + at, "\x07\x04\xE4\x04\x09\x04\xB0\x04", 8);
    TempDir dir;
    std::u16string path = U16(dir.write("swapped.exe", image));
    EXPECT_EQ(ReadProductVersion(path, u""), u"9.9.9.9");
    EXPECT_EQ(ReadProductVersion(path, u"-usefileversion"), u"7.7.7.7");

    // A code page without a table of its own gives empty text.
    std::memcpy(image.data() + at, "\x09\x04\xE4\x04", 4);
    path = U16(dir.write("other-codepage.exe", image));
    EXPECT_EQ(ReadProductVersion(path, u""), u"");
}

TEST(ProductVersion, FindsTheFileWithoutRegardToCase) {
    TempDir dir;
    dir.write("App.exe", ReadBytes(fixturePath("two-translations.exe")));
    EXPECT_EQ(ReadProductVersion(dir.file16("APP.EXE"), u""), u"1.2.3.4");
}

TEST(ProductVersion, PathsThatAreNotReadableFilesGiveEmptyText) {
    TempDir dir;
    std::string locked = dir.write("locked.exe", ReadBytes(fixturePath("two-translations.exe")));
    ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
    std::string folder = dir.file("folder.exe");
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    // A pipe exists as a file; opening it for reading must not wait for a writer.
    std::string fifo = dir.file("pipe.exe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    std::string empty = dir.write("empty.exe", "");

    for (const std::string& path :
         {dir.file("missing.exe"), locked, folder, fifo, empty, std::string()}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(ReadProductVersion(U16(path), u""), u"");
    }
}
