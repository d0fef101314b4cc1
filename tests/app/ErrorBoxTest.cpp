// The application-wide error box for errors no handler dealt with.
#include "FormFixture.h"

#include "app/ErrorBox.h"
#include "core/Captions.h"
#include "platform/Error.h"

#include <QLineEdit>
#include <QPushButton>

#include <stdexcept>

namespace tarvel::test {
namespace {

struct FullStopCase {
    const char* Name;
    std::u16string_view Description;
    std::u16string_view Shown;
};

class ErrorBoxFullStop : public testing::TestWithParam<FullStopCase> {};

TEST_P(ErrorBoxFullStop, IsAddedOnlyAfterCharactersAboveTheDot) {
    ScriptedDialogs dialogs;
    const std::u16string description(GetParam().Description);
    EXPECT_FALSE(RunGuarded(dialogs, [&] { throw Exception(description); }));
    const std::vector<MessageRequest> shown = dialogs.Messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Text, GetParam().Shown);
    EXPECT_EQ(shown[0].Caption, kApplicationTitle);
    EXPECT_EQ(shown[0].Icon, MessageIcon::Error);
    EXPECT_EQ(shown[0].Buttons, MessageButtons::Ok);
}

const FullStopCase kFullStopCases[] = {
    {"Letter", u"x", u"x."},
    {"FullStop", u"x.", u"x."},
    {"Exclamation", u"x!", u"x!"},
    {"Parenthesis", u"x)", u"x)"},
    {"DoubleQuote", u"x\"", u"x\""},
    {"Digit", u"I/O error 32", u"I/O error 32."},
    {"Empty", u"", u""},
};

INSTANTIATE_TEST_SUITE_P(Descriptions, ErrorBoxFullStop, testing::ValuesIn(kFullStopCases),
                         [](const testing::TestParamInfo<FullStopCase>& info) {
                             return std::string(info.param.Name);
                         });

TEST(ErrorBox, StandardErrorsShowTheirDescription) {
    ScriptedDialogs dialogs;
    RunGuarded(dialogs, [] { throw std::runtime_error("Out of memory"); });
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].Text, u"Out of memory.");
    EXPECT_TRUE(RunGuarded(dialogs, [] {}));
    EXPECT_EQ(dialogs.Messages().size(), 1u);
}

// A dialog service whose open-file dialog fails, as a system dialog can.
class FailingOpenDialogs : public ScriptedDialogs {
  public:
    std::optional<std::u16string> OpenFile(const OpenFileRequest& request) override {
        ScriptedDialogs::OpenFile(request);
        throw EInOutError(u"File access denied", 5);
    }
};

TEST(ErrorBox, AnErrorInAHandlerEndsItButKeepsWhatItChanged) {
    TempDir folder;
    FailingOpenDialogs dialogs;
    dialogs.OpenAnswers.push_back(std::nullopt);
    TForm1Setup setup;
    setup.AppFolder = folder.path16() + u"/";
    TForm1 form(dialogs, setup);
    form.show();
    QTest::mouseClick(form.Button3, Qt::LeftButton);
    const std::vector<MessageRequest> shown = dialogs.Messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Text, u"File access denied.");
    EXPECT_EQ(shown[0].Caption, kApplicationTitle);
    EXPECT_TRUE(form.SettingsChanged) << "set before the error";
    // The window goes on taking events.
    QTest::keyClicks(form.Edit1, QStringLiteral("Product"));
    EXPECT_EQ(form.Edit1->text(), QStringLiteral("Product"));
}

} // namespace
} // namespace tarvel::test
