#include "platform/RegistryText.h"

#include "platform/Unicode.h"

#include <gtest/gtest.h>

namespace tarvel {
namespace {

std::string sz(std::u16string_view text) {
    std::string data = Utf16ToUtf16LE(text);
    data.append(2, '\0');
    return data;
}

std::string fileOf(std::u16string_view text) {
    return "\xFF\xFE" + Utf16ToUtf16LE(text);
}

bool operator==(const RegistryValue& a, const RegistryValue& b) {
    return a.Name == b.Name && a.Type == b.Type && a.Data == b.Data;
}

RegistryDocument sampleDocument() {
    RegistryDocument doc;
    doc.Keys.push_back({u"HKEY_CURRENT_USER\\Software\\Empty", {}});
    std::string binary;
    for (int i = 0; i < 70; ++i)
        binary += static_cast<char>(i * 7);
    doc.Keys.push_back({u"HKEY_CURRENT_USER\\Software\\Oblenda\\Tarvel Updater",
                        {
                            {u"", kRegSz, sz(u"default")},
                            {u"Path", kRegSz, sz(u"C:\\Temp\\\"quoted\"")},
                            {u"Name \"x\"", kRegSz, sz(u"Grüße ✓")},
                            {u"Empty", kRegSz, sz(u"")},
                            {u"Lines", kRegSz, sz(u"one\r\ntwo")},
                            {u"Inner NUL", kRegSz, std::string("a\0\0b\0\0\0", 8)},
                            {u"No data", kRegSz, ""},
                            {u"Left", kRegDword, std::string("\xF6\xFF\xFF\xFF", 4)},
                            {u"Short", kRegDword, std::string("\x01\x02", 2)},
                            {u"Expand", kRegExpandSz, sz(u"%APPDATA%\\x")},
                            {u"Blob", kRegBinary, binary},
                            {u"Multi", kRegMultiSz, std::string("a\0\0\0\0\0", 6)},
                            {u"Big", kRegQword, std::string("\x01\0\0\0\0\0\0\x80", 8)},
                            {u"Odd type", 0x20000, "xyz"},
                        }});
    return doc;
}

TEST(RegistryText, RoundTripKeepsKeysTypesAndBytes) {
    RegistryDocument doc = sampleDocument();
    RegistryParseResult parsed = ParseRegistryFile(FormatRegistryFile(doc));
    ASSERT_TRUE(parsed.Document) << Utf16ToUtf8(parsed.Error);
    ASSERT_EQ(parsed.Document->Keys.size(), doc.Keys.size());
    for (size_t k = 0; k < doc.Keys.size(); ++k) {
        EXPECT_EQ(parsed.Document->Keys[k].Path, doc.Keys[k].Path);
        ASSERT_EQ(parsed.Document->Keys[k].Values.size(), doc.Keys[k].Values.size());
        for (size_t v = 0; v < doc.Keys[k].Values.size(); ++v)
            EXPECT_TRUE(parsed.Document->Keys[k].Values[v] == doc.Keys[k].Values[v])
                << Utf16ToUtf8(doc.Keys[k].Values[v].Name);
    }
}

TEST(RegistryText, WritesRegeditSyntax) {
    std::string bytes = FormatRegistryFile(sampleDocument());
    ASSERT_TRUE(bytes.starts_with("\xFF\xFE"));
    std::string text = Utf16ToUtf8(Utf16LEToUtf16(std::string_view(bytes).substr(2)));
    EXPECT_TRUE(text.starts_with("Windows Registry Editor Version 5.00\r\n\r\n"
                                 "[HKEY_CURRENT_USER\\Software\\Empty]\r\n\r\n"
                                 "[HKEY_CURRENT_USER\\Software\\Oblenda\\Tarvel Updater]\r\n"
                                 "@=\"default\"\r\n"
                                 "\"Path\"=\"C:\\\\Temp\\\\\\\"quoted\\\"\"\r\n"
                                 "\"Name \\\"x\\\"\"=\"Grüße ✓\"\r\n"
                                 "\"Empty\"=\"\"\r\n"))
        << text;
    // Text that a quoted string cannot give back exactly goes as bytes.
    EXPECT_NE(text.find("\"Lines\"=hex(1):6f,00,6e,00,65,00,0d,00,0a,00,"), std::string::npos);
    EXPECT_NE(text.find("\"Left\"=dword:fffffff6\r\n"), std::string::npos);
    EXPECT_NE(text.find("\"Short\"=hex(4):01,02\r\n"), std::string::npos);
    EXPECT_NE(text.find("\"Expand\"=hex(2):25,00,41,00,50,00"), std::string::npos);
    EXPECT_NE(text.find("\"Big\"=hex(b):01,00,00,00,00,00,00,80\r\n"), std::string::npos);
    EXPECT_NE(text.find("\"Odd type\"=hex(20000):78,79,7a\r\n"), std::string::npos);
    // Long data is broken into continuation lines of regedit's width.
    size_t blob = text.find("\"Blob\"=hex:00,07,");
    ASSERT_NE(blob, std::string::npos);
    EXPECT_NE(text.find(",\\\r\n  ", blob), std::string::npos);
    for (size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos;
         start = end + 2)
        EXPECT_LE(end - start, 80u);
    EXPECT_TRUE(text.ends_with("\r\n\r\n"));
    EXPECT_EQ(text.find('\n', 0), text.find("\r\n", 0) + 1);
}

TEST(RegistryText, ReadsWhatRegeditExports) {
    std::u16string text = u"Windows Registry Editor Version 5.00\n"
                          u"; a comment\n"
                          u"[HKEY_CURRENT_USER\\Software\\A]\n"
                          u"\"Bin\"=hex:01,02,\\\n"
                          u"  03,04\n"
                          u"\"Gone\"=\"x\"\n"
                          u"\"Gone\"=-\n"
                          u"\"n\"=dword:2A\n"
                          u"[HKEY_CURRENT_USER\\Software\\B]\n"
                          u"[HKEY_CURRENT_USER\\Software\\B\\C]\n"
                          u"[-HKEY_CURRENT_USER\\Software\\B]\n";
    for (const std::string& bytes : {fileOf(text), Utf16ToUtf8(text)}) {
        RegistryParseResult parsed = ParseRegistryFile(bytes);
        ASSERT_TRUE(parsed.Document) << Utf16ToUtf8(parsed.Error);
        ASSERT_EQ(parsed.Document->Keys.size(), 1u);
        const RegistryKeyEntry& key = parsed.Document->Keys[0];
        ASSERT_EQ(key.Values.size(), 2u);
        EXPECT_EQ(key.Values[0].Type, kRegBinary);
        EXPECT_EQ(key.Values[0].Data, std::string("\x01\x02\x03\x04"));
        EXPECT_EQ(key.Values[1].Data, std::string("\x2A\0\0\0", 4));
    }
}

TEST(RegistryText, RefusesWhatItCannotUnderstand) {
    const char16_t* cases[] = {
        u"REGEDIT4\r\n",
        u"Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\A\r\n",
        u"Windows Registry Editor Version 5.00\r\n\"x\"=\"y\"\r\n",
        u"Windows Registry Editor Version 5.00\r\n[A]\r\n\"x\"=\"a\\qb\"\r\n",
        u"Windows Registry Editor Version 5.00\r\n[A]\r\n\"x\"=\"open\r\n",
        u"Windows Registry Editor Version 5.00\r\n[A]\r\n\"x\"=dword:123456789\r\n",
        u"Windows Registry Editor Version 5.00\r\n[A]\r\n\"x\"=hex:01,2g\r\n",
        u"Windows Registry Editor Version 5.00\r\n[A]\r\n\"x\"=hex:01,\\\r\n",
        u"Windows Registry Editor Version 5.00\r\n[A]\r\n\"x\"=word:1\r\n",
        u"Windows Registry Editor Version 5.00\r\n[A\\\\B]\r\n",
    };
    for (const char16_t* text : cases) {
        RegistryParseResult parsed = ParseRegistryFile(fileOf(text));
        EXPECT_FALSE(parsed.Document) << Utf16ToUtf8(text);
        EXPECT_FALSE(parsed.Error.empty());
    }
    EXPECT_FALSE(ParseRegistryFile("\xFF\xFE\x41").Document);
    EXPECT_FALSE(ParseRegistryFile("\xC3\x28").Document);
    EXPECT_TRUE(ParseRegistryFile("").Document);
}

TEST(RegistryText, KeysAndValuesIgnoreCase) {
    RegistryDocument doc;
    RegistryKeyEntry& key = EnsureRegistryKey(doc, u"HKEY_CURRENT_USER\\Software\\Oblenda\\T");
    SetRegistryValue(key, {u"Name", kRegSz, sz(u"a")});
    SetRegistryValue(key, {u"NAME", kRegSz, sz(u"b")});
    ASSERT_EQ(doc.Keys.size(), 4u);
    EXPECT_EQ(doc.Keys[0].Path, u"HKEY_CURRENT_USER");
    EXPECT_EQ(doc.Keys[2].Path, u"HKEY_CURRENT_USER\\Software\\Oblenda");
    const RegistryKeyEntry* found =
        FindRegistryKey(doc, u"hkey_current_user\\software\\oblenda\\t");
    ASSERT_NE(found, nullptr);
    ASSERT_EQ(found->Values.size(), 1u);
    EXPECT_EQ(found->Values[0].Name, u"Name");
    EXPECT_EQ(found->Values[0].Data, sz(u"b"));

    RegistryDocument implicit;
    implicit.Keys.push_back({u"HKEY_CURRENT_USER\\A\\B", {}});
    EXPECT_TRUE(RegistryKeyExists(implicit, u"HKEY_CURRENT_USER\\a"));
    EXPECT_FALSE(RegistryKeyExists(implicit, u"HKEY_CURRENT_USER\\A\\"));
    EXPECT_FALSE(RegistryKeyExists(implicit, u"HKEY_CURRENT_USER\\AB"));
}

} // namespace
} // namespace tarvel
