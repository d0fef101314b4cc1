#include "integration/WebLinks.h"

#include "core/Captions.h"
#include "core/ProductSettings.h"
#include "platform/Unicode.h"
#include "support/RecordingShell.h"
#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

using namespace tarvel;
using namespace tarvel::test;

namespace {

ShellCall address(std::u16string url) {
    return {ShellCall::Address, std::move(url), {}, {}};
}

TEST(WebLinks, HelpAndMoreInfoOpenTheirPages) {
    RecordingShell shell;
    OpenHelpPage(shell);
    OpenMoreInfoPage(shell);
    OpenProductSite(shell);
    const std::u16string site(kProductSiteUrl);
    const std::vector<ShellCall> expected{address(site + u"/how-to-use.html?vid=5.2"),
                                          address(site + u"/update-information-file.html"),
                                          address(site)};
    EXPECT_EQ(shell.Calls, expected);
}

TEST(WebLinks, OpenTakesOnlyWebAddresses) {
    const struct {
        std::u16string Text;
        bool Opens;
        bool Warns;
    } cases[] = {
        {u"http://www.example.test/update.txt", true, false},
        {u"HTTPS://WWW.Example.test/update.txt", true, false},
        {u"Http://host", true, false},
        {std::u16string(kDefaultUpdateUrl), true, false},
        {u"ftp://www.example.test/update.txt", false, true},
        {u"file:///etc/passwd", false, true},
        {u"/home/vendor/update.txt", false, true},
        {u"C:\\Tools\\Updater.exe", false, true},
        {u"Product.ini", false, true},
        {u"http://", false, true},
        {u"httpx://host", false, true},
        {u" http://host", false, true},
        {u"", false, false},
    };
    for (const auto& c : cases) {
        RecordingShell shell;
        ScriptedDialogs dialogs;
        OpenUpdateAddress(c.Text, kMainWindowCaption, shell, dialogs);
        const std::string label = Utf16ToUtf8(c.Text);
        if (c.Opens)
            EXPECT_EQ(shell.Calls, std::vector<ShellCall>{address(c.Text)}) << label;
        else
            EXPECT_TRUE(shell.Calls.empty()) << label;
        const auto messages = dialogs.Messages();
        ASSERT_EQ(messages.size(), c.Warns ? 1u : 0u) << label;
        if (c.Warns) {
            EXPECT_EQ(messages[0].Text, u"Only web addresses (http:// or https://) can be opened.");
            EXPECT_EQ(messages[0].Caption, kMainWindowCaption);
            EXPECT_EQ(messages[0].Icon, MessageIcon::Warning);
        }
    }
}

} // namespace
