#include "platform/FileSystem.h"

#include "platform/CharUpper.h"
#include "platform/Paths.h"
#include "platform/Unicode.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvel {

namespace {

std::string native(std::u16string_view path) { return Utf16ToUtf8(path); }

// The resolved path in the file system's own bytes.
std::string nativeResolved(std::u16string_view path) { return native(ResolvePathCase(path)); }

bool matchPattern(std::u16string_view pattern, std::u16string_view name) {
    // Iterative '*' and '?' matching with one backtrack point.
    size_t p = 0, n = 0, starP = std::u16string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && (pattern[p] == u'?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (starP != std::u16string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

// Writing over or deleting a file the user may not write fails, as a
// read-only file does on Windows; unlink alone would let it through.
bool mayReplace(const std::string& path, int& err) {
    if (access(path.c_str(), F_OK) != 0)
        return true;
    if (access(path.c_str(), W_OK) == 0)
        return true;
    err = errno;
    return false;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

void syncFolder(const std::string& folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool writeAtomically(const std::string& target, std::string_view bytes, mode_t mode, int& err) {
    std::string folder = Utf16ToUtf8(ExtractFileDir(U16(target), PathStyle::Posix));
    // A short name of its own: one built from the target's name would not
    // fit beside a target whose name is near the system's limit.
    std::string temp = (folder.empty() ? std::string() : folder + "/") + ".tarvel-write.XXXXXX";
    int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        err = errno;
        return false;
    }
    bool ok = ::fchmod(fd, mode) == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
    if (!ok)
        err = errno;
    if (::close(fd) != 0 && ok) {
        err = errno;
        ok = false;
    }
    if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
        err = errno;
        ok = false;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    syncFolder(folder);
    return true;
}

mode_t newFileMode() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

int WindowsErrorFromErrno(int err) {
    switch (err) {
    case 0:
        return 0;
    case ENOENT:
        return kErrorFileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
        return kErrorPathNotFound;
    case EMFILE:
    case ENFILE:
        return kErrorTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return kErrorAccessDenied;
    case EEXIST:
        return kErrorAlreadyExists;
    case ENOSPC:
        return 112; // ERROR_DISK_FULL
    case EBUSY:
    case ETXTBSY:
        return 32; // ERROR_SHARING_VIOLATION
    case EINVAL:
        return 123; // ERROR_INVALID_NAME
    default:
        return 1117; // ERROR_IO_DEVICE
    }
}

std::u16string SystemErrorMessage(int err) { return U16(std::strerror(err)); }

std::u16string ResolvePathCase(std::u16string_view path) {
    std::string asGiven = native(path);
    struct stat st;
    if (asGiven.empty() || ::lstat(asGiven.c_str(), &st) == 0 || errno != ENOENT)
        return std::u16string(path);
    std::u16string folder = ExtractFilePath(path, PathStyle::Posix);
    std::u16string name = ExtractFileName(path, PathStyle::Posix);
    if (name.empty())
        return std::u16string(path);
    DIR* dir = ::opendir(folder.empty() ? "." : native(folder).c_str());
    if (!dir)
        return std::u16string(path);
    std::u16string wanted = UpperCase(name);
    std::u16string found;
    int matches = 0;
    while (dirent* entry = ::readdir(dir)) {
        std::u16string entryName = U16(entry->d_name);
        if (UpperCase(entryName) == wanted && ++matches == 1)
            found = std::move(entryName);
    }
    ::closedir(dir);
    return matches == 1 ? folder + found : std::u16string(path);
}

bool FileExists(std::u16string_view path) {
    struct stat st;
    return !path.empty() && ::stat(nativeResolved(path).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(std::u16string_view path) {
    struct stat st;
    return !path.empty() && ::stat(nativeResolved(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

int CreateDir(std::u16string_view path) {
    if (::mkdir(native(path).c_str(), 0777) == 0)
        return 0;
    int err = errno;
    // A missing parent is "path not found" on Windows.
    return err == ENOENT ? kErrorPathNotFound : WindowsErrorFromErrno(err);
}

bool DeleteFile(std::u16string_view path) {
    std::string p = nativeResolved(path);
    struct stat st;
    if (::lstat(p.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return false;
    int err = 0;
    if (!mayReplace(p, err))
        return false;
    return ::unlink(p.c_str()) == 0;
}

bool CopyFile(std::u16string_view from, std::u16string_view to, bool failIfExists) {
    std::string source = nativeResolved(from), target = nativeResolved(to);
    struct stat st;
    if (::stat(source.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return false;
    struct stat existing;
    if (::stat(target.c_str(), &existing) == 0 && (failIfExists || S_ISDIR(existing.st_mode)))
        return false;
    int err = 0;
    if (!mayReplace(target, err))
        return false;
    auto bytes = ReadWholeFile(U16(source), err);
    return bytes && writeAtomically(target, *bytes, st.st_mode & 07777, err);
}

bool MoveFile(std::u16string_view from, std::u16string_view to) {
    std::string source = nativeResolved(from), target = native(to);
    struct stat st, existing;
    if (::lstat(source.c_str(), &st) != 0)
        return false;
    // MoveFile never replaces an existing entry, also not one whose name
    // differs only in case; renaming a file to another spelling of its own
    // name is allowed.
    if (::lstat(nativeResolved(to).c_str(), &existing) == 0 &&
        (existing.st_dev != st.st_dev || existing.st_ino != st.st_ino))
        return false;
    return ::rename(source.c_str(), target.c_str()) == 0;
}

std::optional<std::string> ReadWholeFile(std::u16string_view path, int& err) {
    int fd = ::open(nativeResolved(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        err = errno;
        return std::nullopt;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        err = S_ISDIR(st.st_mode) ? EISDIR : errno;
        ::close(fd);
        return std::nullopt;
    }
    // One byte beyond the size seen, so that reading a file that has not
    // grown ends without enlarging (and copying) the buffer.
    std::string bytes;
    bytes.resize((st.st_size > 0 ? static_cast<size_t>(st.st_size) : 0) + 1);
    size_t have = 0;
    for (;;) {
        if (have == bytes.size())
            bytes.resize(bytes.size() + 65536); // the file may have grown
        ssize_t n = ::read(fd, bytes.data() + have, bytes.size() - have);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            err = errno;
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        have += static_cast<size_t>(n);
    }
    ::close(fd);
    bytes.resize(have);
    return bytes;
}

bool WriteWholeFile(std::u16string_view path, std::string_view bytes, int& err) {
    std::string target = nativeResolved(path);
    struct stat st;
    mode_t mode = newFileMode();
    if (::stat(target.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            err = EISDIR;
            return false;
        }
        mode = st.st_mode & 07777;
        if (!mayReplace(target, err))
            return false;
    }
    return writeAtomically(target, bytes, mode, err);
}

std::vector<std::u16string> FindFiles(std::u16string_view folder, std::u16string_view pattern) {
    std::vector<std::u16string> names;
    DIR* dir = ::opendir(folder.empty() ? "." : nativeResolved(folder).c_str());
    if (!dir)
        return names;
    std::u16string wanted = UpperCase(pattern);
    while (dirent* entry = ::readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0)
            continue;
        std::u16string name = U16(entry->d_name);
        if (matchPattern(wanted, UpperCase(name)))
            names.push_back(std::move(name));
    }
    ::closedir(dir);
    return names;
}

} // namespace tarvel
