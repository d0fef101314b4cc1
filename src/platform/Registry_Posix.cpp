#include "platform/Registry.h"

#include "platform/FileSystem.h"
#include "platform/KnownFolders.h"
#include "platform/Paths.h"
#include "platform/Unicode.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvel {

namespace {

constexpr std::u16string_view kRoot = u"HKEY_CURRENT_USER";

std::optional<std::u16string>& pendingNotice() {
    static std::optional<std::u16string> notice;
    return notice;
}

std::u16string fullPath(std::u16string_view subKey) {
    std::u16string path(kRoot);
    if (!subKey.empty())
        path += u'\\' + std::u16string(subKey);
    return path;
}

std::u16string storeFolder() {
    std::u16string base = RoamingAppDataFolder();
    return base.empty() ? std::u16string() : JoinPath(base, u"Oblenda");
}

// The lock file beside the store; flock serialises the instances of the
// tool, and the lock goes with the descriptor when the object does.
class StoreLock {
  public:
    explicit StoreLock(const std::u16string& folder) {
        std::string path = Utf16ToUtf8(JoinPath(folder, u"registry.reg.lock"));
        Fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (Fd < 0)
            return;
        while (::flock(Fd, LOCK_EX) != 0) {
            if (errno != EINTR) {
                ::close(Fd);
                Fd = -1;
                return;
            }
        }
    }
    ~StoreLock() {
        if (Fd >= 0)
            ::close(Fd);
    }
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;

    bool held() const { return Fd >= 0; }

  private:
    int Fd = -1;
};

// The folder for the store, made with the private mode the XDG rules ask
// for; the roaming folder itself may be missing on a fresh account.
bool makeStoreFolder(const std::u16string& folder) {
    std::u16string base = ExtractFileDir(folder);
    for (const std::u16string& dir : {base, folder}) {
        if (DirectoryExists(dir))
            continue;
        if (::mkdir(Utf16ToUtf8(dir).c_str(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    return true;
}

std::u16string asideName(const std::u16string& file) {
    std::time_t now = std::time(nullptr);
    std::tm utc{};
    ::gmtime_r(&now, &utc);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &utc);
    std::u16string name = file + u".corrupt-" + U16(stamp);
    std::u16string candidate = name;
    for (int n = 2; FileExists(candidate) || DirectoryExists(candidate); ++n)
        candidate = name + u'-' + U16(std::to_string(n));
    return candidate;
}

// The store's document, or nothing when it cannot be had without risking
// the file: one that cannot be read, or cannot be parsed and not moved aside.
std::optional<RegistryDocument> loadStore(const std::u16string& file) {
    int err = 0;
    std::optional<std::string> bytes = ReadWholeFile(file, err);
    if (!bytes)
        return err == ENOENT ? std::optional<RegistryDocument>(RegistryDocument{}) : std::nullopt;
    RegistryParseResult parsed = ParseRegistryFile(*bytes);
    if (parsed.Document)
        return std::move(parsed.Document);
    std::u16string aside = asideName(file);
    if (!MoveFile(file, aside))
        return std::nullopt;
    pendingNotice() = u"The settings file \"" + file + u"\" could not be read (" + parsed.Error +
                      u") and was moved to \"" + aside +
                      u"\". The tool starts with fresh settings.";
    return RegistryDocument{};
}

bool saveStore(const std::u16string& file, const RegistryDocument& document) {
    int err = 0;
    return WriteWholeFile(file, FormatRegistryFile(document), err);
}

} // namespace

std::u16string RegistryFilePath() {
    std::u16string folder = storeFolder();
    return folder.empty() ? folder : JoinPath(folder, u"registry.reg");
}

std::optional<std::u16string> TakeRegistryNotice() {
    std::optional<std::u16string> notice = std::move(pendingNotice());
    pendingNotice().reset();
    return notice;
}

std::optional<RegistryKey> RegistryKey::Open(std::u16string_view subKey) {
    std::u16string path = fullPath(subKey);
    std::u16string folder = storeFolder();
    if (folder.empty() || !IsValidRegistryPath(path) || !DirectoryExists(folder))
        return std::nullopt;
    // Reading without the lock is safe (the file is only ever replaced
    // whole), but moving a bad file aside needs it.
    StoreLock lock(folder);
    std::optional<RegistryDocument> document = loadStore(RegistryFilePath());
    if (!document || !RegistryKeyExists(*document, path))
        return std::nullopt;
    const RegistryKeyEntry* entry = FindRegistryKey(*document, path);
    return RegistryKey(std::u16string(subKey), entry ? *entry : RegistryKeyEntry{path, {}});
}

std::optional<RegistryKey> RegistryKey::Create(std::u16string_view subKey) {
    std::u16string path = fullPath(subKey);
    std::u16string folder = storeFolder();
    if (folder.empty() || !IsValidRegistryPath(path) || !makeStoreFolder(folder))
        return std::nullopt;
    StoreLock lock(folder);
    if (!lock.held())
        return std::nullopt;
    std::u16string file = RegistryFilePath();
    std::optional<RegistryDocument> document = loadStore(file);
    if (!document)
        return std::nullopt;
    if (!RegistryKeyExists(*document, path)) {
        EnsureRegistryKey(*document, path);
        if (!saveStore(file, *document))
            return std::nullopt;
    }
    const RegistryKeyEntry* entry = FindRegistryKey(*document, path);
    return RegistryKey(std::u16string(subKey), entry ? *entry : RegistryKeyEntry{path, {}});
}

std::optional<RegistryData> RegistryKey::QueryValue(std::u16string_view name) const {
    const RegistryValue* value = FindRegistryValue(Entry, name);
    if (!value)
        return std::nullopt;
    return RegistryData{value->Type, value->Data};
}

bool RegistryKey::SetValue(std::u16string_view name, uint32_t type, std::string_view bytes) {
    std::u16string folder = storeFolder();
    if (folder.empty() || !IsValidRegistryValueName(name) || !makeStoreFolder(folder))
        return false;
    StoreLock lock(folder);
    if (!lock.held())
        return false;
    std::u16string file = RegistryFilePath();
    std::optional<RegistryDocument> document = loadStore(file);
    if (!document)
        return false;
    // Another instance may have changed the file since this key was opened:
    // its changes are kept, and a key it removed comes back.
    RegistryKeyEntry& key = EnsureRegistryKey(*document, Entry.Path);
    SetRegistryValue(key, {std::u16string(name), type, std::string(bytes)});
    RegistryKeyEntry updated = key;
    if (!saveStore(file, *document))
        return false;
    Entry = std::move(updated);
    return true;
}

} // namespace tarvel
