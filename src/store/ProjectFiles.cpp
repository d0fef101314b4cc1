#include "store/ProjectFiles.h"

#include "core/Captions.h"
#include "core/IniFiles.h"
#include "core/TextFiles.h"
#include "platform/CharUpper.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"

#include <cstdint>
#include <optional>
#include <variant>

namespace tarvel {

namespace {

constexpr std::u16string_view kInfo = u"Info";

// The settings after the URLs and the language, in the order they are
// written and loaded: check boxes and the two lists without change handling.
struct SettingKey {
    std::u16string_view Key;
    std::variant<CheckBox, ComboBox> Control;
    int32_t Default = 0;
};

const SettingKey kSettings[] = {
    {u"RequireAdmin", CheckBox::CheckBox7},           {u"64bit", CheckBox::CheckBox8},
    {u"SupportOldVer", CheckBox::CheckBox10},         {u"CheckUpdaterTitle", CheckBox::CheckBox1},
    {u"AllowChangeUpdate", CheckBox::CheckBox4},      {u"CheckUseDownloader", CheckBox::CheckBox2},
    {u"ReplaceMainExe", CheckBox::CheckBox6},         {u"AutoCheckForUpdate", CheckBox::CheckBox5},
    {u"UpdateFrequency", ComboBox::ComboBox2, 1},     {u"AutoSilentUpdate", CheckBox::CheckBox9},
    {u"CheckSmartNotification", CheckBox::CheckBox3}, {u"SmartMethod", ComboBox::ComboBox3, 0},
};

// Spaces and control characters at both ends go.
std::u16string_view trimmed(std::u16string_view s) {
    while (!s.empty() && s.front() <= u' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() <= u' ')
        s.remove_suffix(1);
    return s;
}

void plainMessage(Dialogs& dialogs, std::u16string text) {
    dialogs.ShowMessage({std::u16string(kApplicationTitle), std::move(text)});
}

void warning(Dialogs& dialogs, std::u16string text) {
    dialogs.ShowMessage(
        {std::u16string(kMainWindowCaption), std::move(text), MessageIcon::Warning});
}

bool askYesNo(Dialogs& dialogs, std::u16string text) {
    return dialogs.ShowMessage({std::u16string(kMainWindowCaption), std::move(text),
                                MessageIcon::Question, MessageButtons::YesNo}) ==
           MessageAnswer::Yes;
}

std::u16string selectedProject(const ProjectWindow& window) {
    std::vector<std::u16string> items = window.ProjectItems();
    int index = window.ProjectIndex();
    if (index < 0 || static_cast<size_t>(index) >= items.size())
        return {};
    return items[static_cast<size_t>(index)];
}

int indexIgnoringCase(const std::vector<std::u16string>& items, std::u16string_view text) {
    for (size_t i = 0; i < items.size(); ++i)
        if (SameTextIgnoringCase(items[i], text))
            return static_cast<int>(i);
    return -1;
}

// The companion's text, or the message that tells why it could not be read.
std::optional<std::u16string> loadCompanion(ProjectWindow& window, const std::u16string& path) {
    TextEncoding encoding = window.WhatsNewEncoding();
    try {
        std::u16string text = LoadWhatsNewText(path, encoding);
        window.SetWhatsNewEncoding(encoding);
        window.SetMemoText(text);
        return std::nullopt;
    } catch (const Exception& e) {
        // The encoding found is kept, as for a load that decodes.
        window.SetWhatsNewEncoding(encoding);
        return u"The What's New text could not be loaded from \"" + path + u"\".\r\r" + e.message();
    }
}

void writeProjectFile(const ProjectWindow& window, const std::u16string& path) {
    TMemIniFile ini = TMemIniFile::FromBytes(path, {}, TextEncoding::Utf8);
    ini.WriteString(kInfo, u"Name", window.Text(EditBox::Edit1));
    ini.WriteString(kInfo, u"AppEdition", window.Text(EditBox::Edit9));
    ini.WriteString(kInfo, u"MainExe", window.Text(EditBox::Edit3));
    const int method = window.ItemIndex(ComboBox::ComboBox1);
    ini.WriteInteger(kInfo, u"Method", method);
    switch (method) {
    case 0:
        ini.WriteString(kInfo, u"GUID", window.Text(EditBox::Edit2));
        ini.WriteString(kInfo, u"Version", window.RememberedVersion());
        break;
    case 1:
        ini.WriteString(kInfo, u"GUID", window.RememberedGuid());
        ini.WriteString(kInfo, u"Version", window.RememberedVersion());
        break;
    case 2:
        ini.WriteString(kInfo, u"Version", window.Text(EditBox::Edit2));
        ini.WriteString(kInfo, u"GUID", window.RememberedGuid());
        break;
    default:
        break;
    }
    ini.WriteString(kInfo, u"UpdateURL", window.Text(EditBox::Edit6));
    ini.WriteString(kInfo, u"NewVersion", window.Text(EditBox::Edit4));
    ini.WriteString(kInfo, u"DownloadLink", window.Text(EditBox::Edit5));
    std::vector<std::u16string> languages = window.Items(ComboBox::ComboBox5);
    const int language = window.ItemIndex(ComboBox::ComboBox5);
    ini.WriteString(kInfo, u"Language",
                    language >= 0 && static_cast<size_t>(language) < languages.size()
                        ? languages[static_cast<size_t>(language)]
                        : std::u16string());
    for (const SettingKey& setting : kSettings) {
        if (const CheckBox* box = std::get_if<CheckBox>(&setting.Control))
            ini.WriteBool(kInfo, setting.Key, window.Checked(*box));
        else
            ini.WriteInteger(kInfo, setting.Key,
                             window.ItemIndex(std::get<ComboBox>(setting.Control)));
    }
    ini.WriteString(kInfo, u"UpdaterParameters", window.Text(EditBox::Edit7));
    ini.WriteString(kInfo, u"URLParameters", window.Text(EditBox::Edit8));
    ini.UpdateFile();
}

void writeCompanion(const ProjectWindow& window, const std::u16string& path) {
    std::u16string text = window.MemoText();
    if (!text.empty()) {
        SaveWhatsNewText(path, text, window.WhatsNewEncoding());
        return;
    }
    // A companion left behind would bring the old text back at the next load.
    if (FileExists(path) && !DeleteFile(path))
        throw Exception(u"Cannot delete file \"" + path + u"\"");
}

} // namespace

std::u16string ProductNameProblem(std::u16string_view name) {
    if (name.find_first_of(u"/\\") != std::u16string_view::npos)
        return u"The product name \"" + std::u16string(name) +
               u"\" cannot be used: it must not contain \"/\" or \"\\\", because the project "
               u"file would then lie outside the project folder.";
    if (name == u"." || name == u"..")
        return u"The product name \"" + std::u16string(name) +
               u"\" cannot be used: \".\" and \"..\" name folders, not projects.";
    return {};
}

std::u16string ProjectFilePath(std::u16string_view projectFolder, std::u16string_view name) {
    return JoinPath(projectFolder, std::u16string(name) + u".ini");
}

std::u16string CompanionPath(std::u16string_view projectFile) {
    return std::u16string(projectFile.substr(0, projectFile.size() - 4)) + u".txt";
}

void ListProjects(ProjectWindow& window, std::u16string_view projectFolder) {
    window.SetProjectItems({});
    if (!DirectoryExists(projectFolder))
        return;
    std::vector<std::u16string> names;
    for (std::u16string& entry : FindFiles(projectFolder, u"*.ini")) {
        entry.resize(entry.size() - 4);
        names.push_back(std::move(entry));
    }
    window.SetProjectItems(names);
    std::u16string wanted = window.Text(EditBox::Edit1);
    if (!names.empty() && !wanted.empty())
        window.SetProjectIndex(indexIgnoringCase(names, wanted));
}

void LoadProject(ProjectWindow& window, Dialogs& dialogs, std::u16string_view projectFolder) {
    // Emptying the box runs its change handling; the flag is cleared after.
    window.SetMemoText(u"");
    window.SetSettingsChanged(false);
    const std::u16string name = selectedProject(window);
    if (name.empty())
        return;
    const std::u16string path = ProjectFilePath(projectFolder, name);
    if (!FileExists(path)) {
        plainMessage(dialogs, u"File not found: " + path);
        return;
    }
    TMemIniFile ini(path, TextEncoding::Utf8);
    window.SetText(EditBox::Edit1, ini.ReadString(kInfo, u"Name", u""));
    window.SetText(EditBox::Edit9, ini.ReadString(kInfo, u"AppEdition", u""));
    window.SetText(EditBox::Edit3, ini.ReadString(kInfo, u"MainExe", u""));
    window.SetText(EditBox::Edit6, ini.ReadString(kInfo, u"UpdateURL", u""));
    window.SetText(EditBox::Edit4, ini.ReadString(kInfo, u"NewVersion", u""));
    window.SetText(EditBox::Edit5, ini.ReadString(kInfo, u"DownloadLink", u""));

    std::optional<std::u16string> companionProblem;
    const std::u16string companion = CompanionPath(path);
    if (FileExists(companion))
        companionProblem = loadCompanion(window, companion);

    // The version source reads the executable's path, the method and both
    // remembered values, so it comes after all of them.
    window.SetItemIndex(ComboBox::ComboBox1, ini.ReadInteger(kInfo, u"Method", 1));
    window.SetRememberedVersion(ini.ReadString(kInfo, u"Version", u""));
    window.SetRememberedGuid(ini.ReadString(kInfo, u"GUID", u""));
    window.RefreshVersionSource();

    for (const SettingKey& setting : kSettings) {
        if (const CheckBox* box = std::get_if<CheckBox>(&setting.Control))
            window.SetChecked(*box, ini.ReadBool(kInfo, setting.Key, false));
        else
            window.SetItemIndex(std::get<ComboBox>(setting.Control),
                                ini.ReadInteger(kInfo, setting.Key, setting.Default));
    }
    window.SetText(EditBox::Edit7, ini.ReadString(kInfo, u"UpdaterParameters", u""));
    // Older versions kept the URL parameters under another key.
    window.SetText(
        EditBox::Edit8,
        ini.ReadString(kInfo, u"URLParameters", ini.ReadString(kInfo, u"CheckUpdaterParam", u"")));
    window.SetItemIndex(ComboBox::ComboBox5,
                        indexIgnoringCase(window.Items(ComboBox::ComboBox5),
                                          ini.ReadString(kInfo, u"Language", u"English")));
    window.SetSettingsChanged(false);
    if (companionProblem)
        warning(dialogs, *companionProblem);
}

void SaveProject(ProjectWindow& window, Dialogs& dialogs, std::u16string_view projectFolder) {
    window.SetSettingsChanged(false);
    const std::u16string name = window.Text(EditBox::Edit1);
    if (trimmed(name).empty())
        return;
    // From here on a save that stores nothing leaves the window marked as
    // changed, so that switching or closing still offers to save.
    if (std::u16string problem = ProductNameProblem(name); !problem.empty()) {
        window.SetSettingsChanged(true);
        warning(dialogs, problem);
        window.FocusBox(EditBox::Edit1);
        return;
    }
    if (!DirectoryExists(projectFolder) && CreateDir(projectFolder) != 0) {
        window.SetSettingsChanged(true);
        plainMessage(dialogs, u"Cannot create folder: " + std::u16string(projectFolder));
        return;
    }
    const std::u16string path = ProjectFilePath(projectFolder, name);
    try {
        writeProjectFile(window, path);
        writeCompanion(window, CompanionPath(path));
    } catch (...) {
        window.SetSettingsChanged(true);
        throw;
    }
    window.ClearModifiedFlags();
}

void Button6Click(ProjectWindow& window, Dialogs& dialogs, std::u16string_view projectFolder) {
    SaveProject(window, dialogs, projectFolder);
    ListProjects(window, projectFolder);
}

void New1Click(ProjectWindow& window, Dialogs& dialogs, std::u16string_view projectFolder) {
    std::optional<std::u16string> name =
        dialogs.InputLine({u"Tarvel Updater", u"Enter Product Name:", u""});
    if (!name)
        return;
    window.SetText(EditBox::Edit1, *name);
    Button6Click(window, dialogs, projectFolder);
}

void Delete1Click(ProjectWindow& window, Dialogs& dialogs, std::u16string_view projectFolder) {
    const std::u16string name = selectedProject(window);
    if (trimmed(name).empty())
        return;
    const std::u16string path = ProjectFilePath(projectFolder, name);
    if (!FileExists(path)) {
        plainMessage(dialogs, u"File not found: " + path);
        return;
    }
    if (!askYesNo(dialogs, u"Remove settings for \"" + name + u"\"?" + u"\r\r" + u"File: " + path))
        return;
    // The companion goes only with its project: removing it alone would
    // lose the What's New text of a project that is still listed.
    if (!DeleteFile(path)) {
        warning(dialogs, u"The project \"" + name + u"\" could not be removed: the file \"" + path +
                             u"\" cannot be deleted.");
        return;
    }
    plainMessage(dialogs, u"Done");
    window.RemoveProjectItem(window.ProjectIndex());
    window.SetProjectIndex(-1);
    const std::u16string companion = CompanionPath(path);
    if (FileExists(companion))
        DeleteFile(companion);
}

void OpenProjectFolder1Click(std::u16string_view projectFolder, const OpenFolderFunction& open) {
    if (DirectoryExists(projectFolder))
        open(std::u16string(projectFolder));
}

void ComboAppsChange(ProjectWindow& window, Dialogs& dialogs, std::u16string_view projectFolder) {
    if (window.HasUnsavedChanges() &&
        askYesNo(dialogs, u"Save changes for \"" + window.Text(EditBox::Edit1) + u"\"?"))
        SaveProject(window, dialogs, projectFolder);
    LoadProject(window, dialogs, projectFolder);
}

} // namespace tarvel
