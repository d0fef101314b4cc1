#include "platform/TRegistry.h"

#include "platform/Error.h"
#include "platform/Unicode.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <variant>

namespace tarvel {
namespace {

using test::ScopedEnv;
using test::TempDir;

constexpr std::u16string_view kKey = u"Software\\Oblenda\\Test";

std::string sz(std::u16string_view text) {
    std::string data = Utf16ToUtf16LE(text);
    data.append(2, '\0');
    return data;
}

class RegistryAccessor : public ::testing::Test {
  protected:
    TempDir Home;
    ScopedEnv Config{"XDG_CONFIG_HOME", Home.path()};

    void TearDown() override { ::chmod(Home.file("Oblenda").c_str(), 0700); }

    void setRaw(std::u16string_view name, uint32_t type, std::string bytes) {
        std::optional<RegistryKey> key = RegistryKey::Create(kKey);
        ASSERT_TRUE(key);
        ASSERT_TRUE(key->SetValue(name, type, bytes));
    }
    RegistryData raw(std::u16string_view name) {
        std::optional<RegistryKey> key = RegistryKey::Open(kKey);
        std::optional<RegistryData> data = key ? key->QueryValue(name) : std::nullopt;
        return data ? *data : RegistryData{};
    }
};

enum class Read { String, Integer, Bool };
using Outcome = std::variant<std::u16string, int32_t, bool>;

struct ReadCase {
    const char* What;
    uint32_t Type; // kRegNone with no bytes: the value is not stored
    std::string Bytes;
    Read How;
    Outcome Expected; // a text starting with "!" is the error message after it
};

TEST_F(RegistryAccessor, ReadsByTheTypeRules) {
    const ReadCase cases[] = {
        {"text", kRegSz, sz(u"abc"), Read::String, u"abc"},
        {"text ends at NUL", kRegSz, sz(std::u16string(u"ab\0cd", 5)), Read::String, u"ab"},
        {"expand text not expanded", kRegExpandSz, sz(u"%HOME%"), Read::String, u"%HOME%"},
        {"text without NUL", kRegSz, Utf16ToUtf16LE(u"xy"), Read::String, u"xy"},
        {"missing text", kRegNone, "", Read::String, u""},
        {"empty data of any type", kRegDword, "", Read::String, u""},
        {"dword as text", kRegDword, std::string("\1\0\0\0", 4), Read::String,
         u"!Invalid data type for 'V'"},
        {"binary as text", kRegBinary, "ab", Read::String, u"!Invalid data type for 'V'"},
        {"negative dword", kRegDword, "\xF6\xFF\xFF\xFF", Read::Integer, int32_t{-10}},
        {"largest dword", kRegDword, "\xFF\xFF\xFF\x7F", Read::Integer, int32_t{2147483647}},
        {"missing integer", kRegNone, "", Read::Integer, u"!Failed to get data for 'V'"},
        {"qword as integer", kRegQword, std::string(8, '\1'), Read::Integer,
         u"!Failed to get data for 'V'"},
        {"long text as integer", kRegSz, sz(u"12345"), Read::Integer,
         u"!Failed to get data for 'V'"},
        {"short text as integer", kRegSz, sz(u"1"), Read::Integer, u"!Invalid data type for 'V'"},
        {"binary of four bytes", kRegBinary, std::string("\1\0\0\0", 4), Read::Integer,
         u"!Invalid data type for 'V'"},
        {"dword of two bytes", kRegDword, "\1\2", Read::Integer, u"!Failed to get data for 'V'"},
        {"flag set", kRegDword, std::string("\2\0\0\0", 4), Read::Bool, true},
        {"flag clear", kRegDword, std::string("\0\0\0\0", 4), Read::Bool, false},
        {"missing flag", kRegNone, "", Read::Bool, u"!Failed to get data for 'V'"},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.What);
        TempDir fresh;
        ScopedEnv config("XDG_CONFIG_HOME", fresh.path());
        if (c.Type != kRegNone || !c.Bytes.empty())
            setRaw(u"V", c.Type, c.Bytes);
        else
            ASSERT_TRUE(RegistryKey::Create(kKey));
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(kKey, false));
        EXPECT_EQ(registry.ValueExists(u"v"), c.Type != kRegNone || !c.Bytes.empty());
        const std::u16string* error = std::get_if<std::u16string>(&c.Expected);
        bool expectError = error && error->starts_with(u"!");
        try {
            Outcome got;
            if (c.How == Read::String)
                got = registry.ReadString(u"V");
            else if (c.How == Read::Integer)
                got = registry.ReadInteger(u"V");
            else
                got = registry.ReadBool(u"V");
            EXPECT_FALSE(expectError) << "no error raised";
            EXPECT_EQ(got, c.Expected);
        } catch (const Exception& e) {
            ASSERT_TRUE(expectError) << e.what();
            EXPECT_EQ(e.message(), error->substr(1));
        }
    }
}

TEST_F(RegistryAccessor, WritesTextIntegersAndFlags) {
    TRegistry registry;
    ASSERT_FALSE(registry.OpenKey(kKey, false));
    ASSERT_TRUE(registry.OpenKey(kKey, true));
    registry.WriteString(u"S", u"Tool ✓");
    registry.WriteString(u"Empty", u"");
    registry.WriteInteger(u"I", -2);
    registry.WriteBool(u"B", true);
    registry.WriteBool(u"F", false);

    EXPECT_EQ(raw(u"S").Type, kRegSz);
    EXPECT_EQ(raw(u"S").Bytes, sz(u"Tool ✓"));
    EXPECT_EQ(raw(u"Empty").Bytes, std::string(2, '\0'));
    EXPECT_EQ(raw(u"I").Type, kRegDword);
    EXPECT_EQ(raw(u"I").Bytes, "\xFE\xFF\xFF\xFF");
    EXPECT_EQ(raw(u"B").Bytes, std::string("\1\0\0\0", 4));
    EXPECT_EQ(raw(u"F").Bytes, std::string(4, '\0'));
    // The open key sees its own writes.
    EXPECT_EQ(registry.ReadString(u"S"), u"Tool ✓");
    EXPECT_EQ(registry.ReadInteger(u"I"), -2);
}

TEST_F(RegistryAccessor, FailedWriteNamesTheValue) {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(kKey, true));
    ASSERT_EQ(::chmod(Home.file("Oblenda").c_str(), 0500), 0);
    try {
        registry.WriteInteger(u"Left", 5);
        FAIL() << "the write went through";
    } catch (const Exception& e) {
        EXPECT_EQ(e.message(), u"Failed to set data for 'Left'");
    }
    EXPECT_FALSE(registry.ValueExists(u"Left"));

    TRegistry closed;
    EXPECT_THROW(closed.WriteString(u"Name", u"x"), Exception);
}

} // namespace
} // namespace tarvel
