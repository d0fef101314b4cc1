#include "generators/WhatsNewSections.h"

#include "generators/AnsiPage.h"
#include "generators/UpdateTxt.h"
#include "platform/Unicode.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvel {
namespace {

using Lines = std::vector<std::u16string>;

// The document text WriteUpdateDocument builds for these What's New lines,
// after [Update] with Version=1.1 and URL=D.
std::string DocumentFor(const Lines& whatsNew) {
    test::AnsiPage page("1252");
    TMemIniFile ini = TMemIniFile::FromBytes(u"update.txt", "");
    UpdateTxtRequest request;
    request.NewVersion = u"1.1";
    request.DownloadLink = u"D";
    request.WhatsNewLines = whatsNew;
    request.WhatsNewEmpty = false;
    WriteUpdateDocument(ini, request);
    return ini.Serialize();
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

const std::string kUpdateHead = "[Update]\r\nVersion=1.1\r\nURL=D\r\n";

struct SectionCase {
    const char* Name;
    Lines WhatsNew;
    std::vector<std::string> After; // lines after the [Update] section's own
};

TEST(WhatsNewSections, BuildsSectionsFromHeaders) {
    const SectionCase cases[] = {
        {"worked example",
         {u"[1.1]", u"Added new features", u"Fixed some bugs", u"", u"[1.0]", u"Added new features",
          u"Fixed some bugs"},
         {"", "[1.1]", "0=Added new features", "1=Fixed some bugs", "", "[1.0]",
          "0=Added new features", "1=Fixed some bugs", ""}},
        {"empty line leaves a gap",
         {u"[1.1]", u"Added new features", u"", u"Fixed some bugs"},
         {"", "[1.1]", "0=Added new features", "2=Fixed some bugs", ""}},
        {"two empty lines",
         {u"[1.1]", u"First", u"", u"", u"Second"},
         {"", "[1.1]", "0=First", "3=Second", ""}},
        {"header without closing bracket ends a section and starts none",
         {u"[1.1]", u"A", u"[1.0", u"B", u"[1.0]", u"C"},
         {"", "[1.1]", "0=A", "", "[1.0]", "0=C", ""}},
        {"repeated header counts from 0 again",
         {u"[1.1]", u"A", u"[1.1]", u"B", u"C"},
         {"", "[1.1]", "0=B", "1=C", ""}},
        {"repeated header in another case replaces in place and appends",
         {u"[Beta]", u"A", u"[BETA]", u"C", u"D"},
         {"", "[Beta]", "0=C", "1=D", ""}},
        {"Update header in another case joins [Update]", {u"[uPdAtE]", u"Note"}, {"0=Note", ""}},
        {"inner spaces name another section",
         {u"[ 1.1 ]", u"A", u"[1.1]", u"B"},
         {"", "[ 1.1 ]", "0=A", "", "[1.1]", "0=B", ""}},
        {"lines written unchanged",
         {u"[1.1]", u"  key = value = more  ", u"=", u"a=b"},
         {"", "[1.1]", "0=  key = value = more  ", "1==", "2=a=b", ""}},
        {"lines before the first header are not written",
         {u"Intro", u"more", u"[1.1]", u"A"},
         {"", "[1.1]", "0=A", ""}},
        {"a single bracket is no header", {u"[", u"A", u"]", u"B"}, {""}},
        {"two brackets are a header with an empty name", {u"[]", u"A"}, {"", "[]", "0=A", ""}},
        {"header with nothing after it writes no section", {u"[2.0]", u"", u""}, {""}},
        {"header ending the text", {u"[1.1]", u"A", u"[2.0]"}, {"", "[1.1]", "0=A", ""}},
        {"only line breaks", {u"", u"", u""}, {""}},
        {"no header", {u"Added", u"Fixed"}, {""}},
        {"line starting with ] is an ordinary line",
         {u"[1.1]", u"] x"},
         {"", "[1.1]", "0=] x", ""}},
        {"name with a bracket inside", {u"[a]b]", u"A"}, {"", "[a]b]", "0=A", ""}},
    };
    for (const SectionCase& c : cases)
        EXPECT_EQ(DocumentFor(c.WhatsNew), kUpdateHead + Joined(c.After)) << c.Name;
}

TEST(WhatsNewSections, KeysPastNineCountInDecimal) {
    Lines lines{u"[1.1]"};
    for (int i = 0; i < 12; ++i)
        lines.push_back(u"line");
    std::string text = DocumentFor(lines);
    EXPECT_NE(text.find("\r\n9=line\r\n10=line\r\n11=line\r\n\r\n"), std::string::npos) << text;
}

TEST(WhatsNewSections, LegacyLineJoinsEveryLine) {
    struct Case {
        const char* Name;
        Lines WhatsNew;
        bool Empty;
        std::u16string Expected;
    };
    const Case cases[] = {
        {"worked example",
         {u"[1.1]", u"Added new features", u"Fixed some bugs", u"", u"[1.0]", u"Added new features",
          u"Fixed some bugs"},
         false,
         u"[1.1]%nAdded new features%nFixed some bugs%n%n[1.0]%nAdded new features%nFixed "
         u"some bugs%n"},
        {"empty line inside",
         {u"[1.1]", u"Added new features", u"", u"Fixed some bugs"},
         false,
         u"[1.1]%nAdded new features%n%nFixed some bugs%n"},
        {"only line breaks", {u"", u""}, false, u"%n%n"},
        {"no header still carried", {u"Plain"}, false, u"Plain%n"},
        {"empty box", {}, true, u""},
    };
    for (const Case& c : cases) {
        UpdateTxtRequest request;
        request.NewVersion = u"1.1";
        request.DownloadLink = u"D";
        request.WhatsNewLines = c.WhatsNew;
        request.WhatsNewEmpty = c.Empty;
        EXPECT_EQ(LegacyLines(request), (Lines{u"1.1", u"D", c.Expected, u""})) << c.Name;
    }
}

TEST(WhatsNewSections, EmptyBoxWritesOnlyUpdate) {
    test::AnsiPage page("1252");
    TMemIniFile ini = TMemIniFile::FromBytes(u"update.txt", "");
    UpdateTxtRequest request;
    request.NewVersion = u"1.1";
    request.DownloadLink = u"D";
    // Lines the window might still report are ignored when the text is empty.
    request.WhatsNewLines = {u"[1.1]", u"A"};
    request.WhatsNewEmpty = true;
    WriteUpdateDocument(ini, request);
    EXPECT_EQ(ini.Serialize(), kUpdateHead + "\r\n");
}

TEST(FileNameFromUrl, TakesTheTextAfterTheLastSlash) {
    struct Case {
        std::u16string Url;
        std::u16string Expected;
    };
    const Case cases[] = {
        {u"https://www.host.test/files/update.txt", u"update.txt"},
        {u"https://www.host.test/files/", u""},
        {u"update.txt", u"update.txt"},
        {u"", u""},
        {u"C:\\web\\upd.txt", u"upd.txt"},
        {u"a/b\\c", u"c"},
        {u"a\\b/c", u"c"},
        {u"https://h.test/u.txt?x=1#top", u"u.txt?x=1#top"},
        {u"https://h.test/dir\\", u""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FileNameFromUrl(c.Url), c.Expected) << Utf16ToUtf8(c.Url);
}

} // namespace
} // namespace tarvel
