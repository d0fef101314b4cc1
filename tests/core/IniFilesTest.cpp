#include "core/IniFiles.h"

#include "platform/Unicode.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace tarvel;
using tarvel::test::ReadBytes;
using tarvel::test::TempDir;

TEST(TMemIniFile, WritesTheDocumentExampleByteForByte) {
    TempDir dir;
    TMemIniFile ini(dir.file16("x.ini"), TextEncoding::Utf8);
    ini.WriteString(u"General", u"AppName", u"Sample Editor");
    ini.WriteBool(u"General", u"x64", false);
    ini.WriteInteger(u"Info", u"Method", 1);
    ini.WriteString(u"General", u"AppName", u"Demo");
    ini.UpdateFile();
    EXPECT_EQ(ReadBytes(dir.file("x.ini")),
              "\xEF\xBB\xBF[General]\r\nAppName=Demo\r\nx64=0\r\n\r\n[Info]\r\nMethod=1\r\n\r\n");
}

TEST(TMemIniFile, LoadsAndRoundTrips) {
    TempDir dir;
    dir.write("a.ini", "; c\r\nstray=1\n[S]\r\n  k = v 1  \r\n#x\r\nk=second\r\n[s]\nlost=1\n[T]\r");
    TMemIniFile ini(dir.file16("a.ini"), TextEncoding::Utf8);
    EXPECT_EQ(ini.ReadString(u"s", u"K", u"d"), u"v 1");
    EXPECT_EQ(ini.ReadString(u"S", u"#x", u"d"), u"d");
    EXPECT_EQ(ini.ReadString(u"S", u"lost", u"d"), u"d");
    ini.WriteString(u"S", u"k", u"new");
    EXPECT_EQ(ini.Serialize(), "\xEF\xBB\xBF[S]\r\nk=new\r\n#x\r\nk=second\r\n\r\n[T]\r\n\r\n");
}
