#include "store/RegistryState.h"

#include "core/Captions.h"
#include "platform/Error.h"
#include "platform/Registry.h"
#include "store/ProjectFiles.h"

namespace tarvel {

namespace {

// Told once: the store gives its notice only to the first caller.
void reportStoreNotice(Dialogs& dialogs) {
    if (std::optional<std::u16string> notice = TakeRegistryNotice())
        dialogs.ShowMessage(
            {std::u16string(kMainWindowCaption), std::move(*notice), MessageIcon::Warning});
}

std::u16string withCrLf(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n') {
            out += text[i];
            continue;
        }
        out += u"\r\n";
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
    }
    return out;
}

void restorePlacement(WindowPlacement& placement, const TRegistry& registry) {
    if (registry.ReadBool(u"Maximized")) {
        placement.SetMaximized();
        return;
    }
    // Each pair is restored as far as it goes; a missing half is no error
    // worth telling.
    if (registry.ValueExists(u"Left")) {
        try {
            placement.SetLeft(registry.ReadInteger(u"Left"));
            placement.SetTop(registry.ReadInteger(u"Top"));
        } catch (const Exception&) {
        }
    }
    if (registry.ValueExists(u"Width")) {
        try {
            placement.SetWidth(registry.ReadInteger(u"Width"));
            placement.SetHeight(registry.ReadInteger(u"Height"));
        } catch (const Exception&) {
        }
    }
    // A window left where a screen no longer is comes back onto the
    // primary one.
    if (placement.ScreenWidth() < placement.Left() + placement.Width())
        placement.SetLeft(10);
    if (placement.ScreenHeight() < placement.Top() + placement.Height())
        placement.SetTop(10);
}

} // namespace

void LoadRegistryState(ProjectWindow& window, WindowPlacement& placement, Dialogs& dialogs,
                       std::u16string_view projectFolder) {
    TRegistry registry;
    const bool opened = registry.OpenKey(kRegistryKey, false);
    reportStoreNotice(dialogs);
    if (!opened)
        return;
    if (registry.ValueExists(u"Name"))
        window.SetText(EditBox::Edit1, registry.ReadString(u"Name"));
    if (registry.ValueExists(u"Maximized"))
        restorePlacement(placement, registry);
    ListProjects(window, projectFolder);
    if (window.ProjectItems().empty())
        ImportLegacySettings(window, registry);
}

void ImportLegacySettings(ProjectWindow& window, const TRegistry& registry) {
    try {
        window.SetText(EditBox::Edit1, registry.ReadString(u"Name"));
        window.SetText(EditBox::Edit3, registry.ReadString(u"MainExe"));
        window.SetText(EditBox::Edit6, registry.ReadString(u"UpdateURL"));
        window.SetText(EditBox::Edit4, registry.ReadString(u"NewVersion"));
        window.SetText(EditBox::Edit5, registry.ReadString(u"DownloadLink"));
        window.SetMemoText(withCrLf(registry.ReadString(u"Changes")));
        window.SetItemIndex(ComboBox::ComboBox1, registry.ReadInteger(u"Method"));
        window.SetRememberedVersion(registry.ReadString(u"Version"));
        window.SetRememberedGuid(registry.ReadString(u"GUID"));
        window.RefreshVersionSource();
        window.SetChecked(CheckBox::CheckBox7, registry.ReadBool(u"RequireAdmin"));
        window.SetChecked(CheckBox::CheckBox8, registry.ReadBool(u"64bit"));
        window.SetChecked(CheckBox::CheckBox1, registry.ReadBool(u"CheckUpdaterTitle"));
        window.SetChecked(CheckBox::CheckBox4, registry.ReadBool(u"AllowChangeUpdate"));
        window.SetChecked(CheckBox::CheckBox2, registry.ReadBool(u"CheckUseDownloader"));
        window.SetChecked(CheckBox::CheckBox5, registry.ReadBool(u"AutoCheckForUpdate"));
        window.SetItemIndex(ComboBox::ComboBox2, registry.ReadInteger(u"UpdateFrequency"));
        window.SetChecked(CheckBox::CheckBox9, registry.ReadBool(u"AutoSilentUpdate"));
        window.SetChecked(CheckBox::CheckBox3, registry.ReadBool(u"CheckSmartNotification"));
        window.SetItemIndex(ComboBox::ComboBox3, registry.ReadInteger(u"SmartMethod"));
        window.SetChecked(CheckBox::CheckBox6, registry.ReadBool(u"ReplaceMainExe"));
        window.SetText(EditBox::Edit7, registry.ReadString(u"UpdaterParameters"));
        window.SetText(EditBox::Edit8, registry.ReadString(u"CheckUpdaterParam"));
        if (registry.ValueExists(u"URLParameters"))
            window.SetText(EditBox::Edit8, registry.ReadString(u"URLParameters"));
        window.SetChecked(CheckBox::CheckBox10, registry.ReadBool(u"SupportOldVer"));
    } catch (const Exception&) {
        // A key of this version holds no legacy settings: the import ends
        // at the first value it lacks, keeping what came before.
    }
}

void SaveRegistryState(const ProjectWindow& window, const WindowPlacement& placement,
                       Dialogs& dialogs) {
    TRegistry registry;
    const bool opened = registry.OpenKey(kRegistryKey, true);
    reportStoreNotice(dialogs);
    if (!opened)
        return;
    registry.WriteString(u"Name", window.Text(EditBox::Edit1));
    if (placement.IsMaximized()) {
        registry.WriteBool(u"Maximized", true);
        return;
    }
    registry.WriteBool(u"Maximized", false);
    registry.WriteInteger(u"Left", placement.Left());
    registry.WriteInteger(u"Top", placement.Top());
    registry.WriteInteger(u"Width", placement.Width());
    registry.WriteInteger(u"Height", placement.Height());
}

} // namespace tarvel
