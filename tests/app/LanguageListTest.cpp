// The language list filled at start-up from the tool's Languages folder.
#include "FormFixture.h"

#include "app/LanguageList.h"

#include <QComboBox>

#include <algorithm>
#include <filesystem>

namespace tarvel::test {
namespace {

using LanguageList = FormFixture;

std::vector<std::u16string> items(const QComboBox* combo) {
    std::vector<std::u16string> names;
    for (int i = 0; i < combo->count(); ++i)
        names.push_back(combo->itemText(i).toStdU16String());
    return names;
}

std::vector<std::u16string> sorted(std::vector<std::u16string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(LanguageList, ListsEveryLanguageAndSelectsEnglish) {
    Folder.write("Languages/German.txt", "");
    Folder.write("Languages/English.txt", "");
    Folder.write("Languages/readme.md", "");
    Open();
    // The system's order, which the list keeps.
    EXPECT_EQ(items(Form->ComboBox5), ListLanguages(Folder.path16() + u"/"));
    EXPECT_EQ(sorted(items(Form->ComboBox5)), (std::vector<std::u16string>{u"English", u"German"}));
    EXPECT_EQ(Text(Form->ComboBox5->currentText()), u"English");
    EXPECT_FALSE(Form->HasUnsavedChanges());
}

TEST_F(LanguageList, EnglishIsFoundWithoutRegardToCase) {
    Folder.write("Languages/ENGLISH.TXT", "");
    Open();
    EXPECT_EQ(Text(Form->ComboBox5->currentText()), u"ENGLISH");
}

TEST_F(LanguageList, WithoutEnglishNothingIsSelected) {
    Folder.write("Languages/German.txt", "");
    Open();
    EXPECT_EQ(Form->ComboBox5->count(), 1);
    EXPECT_EQ(Form->ComboBox5->currentIndex(), -1);
    EXPECT_EQ(Text(Form->ComboBox5->currentText()), u"");
    EXPECT_EQ(Form->CollectSettings().Language, u"");
}

TEST_F(LanguageList, ANameOfOnlyTheExtensionAndFoldersCount) {
    Folder.write("Languages/.txt", "");
    std::filesystem::create_directories(Folder.file("Languages/Old.txt"));
    Open();
    EXPECT_EQ(sorted(items(Form->ComboBox5)), (std::vector<std::u16string>{u"", u"Old"}));
    EXPECT_EQ(Form->ComboBox5->currentIndex(), -1);
}

TEST_F(LanguageList, AMissingFolderGivesAnEmptyList) {
    EXPECT_EQ(Form->ComboBox5->count(), 0);
}

} // namespace
} // namespace tarvel::test
