#include "generators/UpdaterIniChecks.h"

#include "generators/UpdaterIniMessages.h"

#include <gtest/gtest.h>

namespace tarvel {
namespace {

TProductSettings Valid() {
    TProductSettings s;
    s.Name = u"Ed";
    s.MainExe = u"/opt/ed/ed";
    s.Method = kMethodMainExecutable;
    s.UpdateURL = u"Update.txt";
    return s;
}

// Facts the file system might report, also where they contradict the
// path, to show which of them stops the run.
TEST(UpdaterIniChecks, MainExecutableNeedsBothFileAndFolder) {
    struct Case {
        bool FileThere, FolderThere, Proceed;
    };
    const Case cases[] = {
        {true, true, true}, {false, true, false}, {true, false, false}, {false, false, false}};
    for (const Case& c : cases) {
        UpdaterIniVerdict v =
            CheckUpdaterIniInput(Valid(), u"1.0", u"/opt/ed", {c.FileThere, c.FolderThere});
        EXPECT_EQ(v.Proceed, c.Proceed) << c.FileThere << c.FolderThere;
        EXPECT_TRUE(v.TargetFolderDerived);
        if (!c.Proceed) {
            EXPECT_EQ(v.Warnings,
                      (std::vector<UpdaterIniWarning>{
                          {std::u16string(kSpecifyMainExeMessage), UpdaterIniControl::Edit3}}));
        }
    }
}

TEST(UpdaterIniChecks, OtherMethodsIgnoreTheExecutableButNeedAFolder) {
    for (int32_t method : {kMethodRegistryGuid, kMethodUpdaterIni, kMethodNone}) {
        TProductSettings s = Valid();
        s.Method = method;
        EXPECT_TRUE(CheckUpdaterIniInput(s, u"x", u"/opt/ed", {false, false}).Proceed) << method;
        UpdaterIniVerdict v = CheckUpdaterIniInput(s, u"x", u"", {true, true});
        EXPECT_FALSE(v.Proceed) << method;
        ASSERT_EQ(v.Warnings.size(), 1u);
        EXPECT_EQ(v.Warnings[0].Focus, UpdaterIniControl::Edit3);
    }
}

TEST(UpdaterIniChecks, StopsBeforeTheFolderOnNameAndVersionBox) {
    TProductSettings s = Valid();
    s.Name = u"\t \r\n";
    EXPECT_FALSE(CheckUpdaterIniInput(s, u"1.0", u"/opt/ed", {true, true}).TargetFolderDerived);
    s = Valid();
    s.Method = kMethodRegistryGuid;
    EXPECT_FALSE(CheckUpdaterIniInput(s, u"", u"/opt/ed", {true, true}).TargetFolderDerived);
    // A blank is text: only the name is trimmed.
    EXPECT_TRUE(CheckUpdaterIniInput(s, u" ", u"/opt/ed", {true, true}).Proceed);
}

TEST(UpdaterIniChecks, UrlMessageNamesTheExampleAddress) {
    std::u16string text = UpdateUrlMessage();
    EXPECT_EQ(text.rfind(u"Please enter the correct URL of Update Information File (location of "
                         u"the \"update.txt\" file at your website).\r\n\r\nExample: ",
                         0),
              0u);
    EXPECT_NE(text.find(std::u16string(kExampleUpdateUrl) +
                        u"\r\n\r\nYou should create this file (click the button \"Create "
                        u"Update.txt\") and then upload it at your website.\r\n\r\n"),
              std::u16string::npos);
    EXPECT_TRUE(text.ends_with(u"you can specify \"Update.txt\" in this field and save this "
                               u"file in the main exe folder."));
}

} // namespace
} // namespace tarvel
