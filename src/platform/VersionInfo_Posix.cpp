#include "platform/VersionInfo.h"

#include "platform/FileSystem.h"
#include "platform/Unicode.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvel {

namespace {

// A regular file opened for reading at offsets. Anything else (a folder, a
// pipe, a device) is refused before a read could block or run forever.
class FileSource : public ByteSource {
  public:
    explicit FileSource(std::u16string_view path) {
        std::string native = Utf16ToUtf8(ResolvePathCase(path));
        Fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
        struct stat st;
        if (Fd < 0 || ::fstat(Fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            close();
            return;
        }
        Bytes = static_cast<uint64_t>(st.st_size);
    }
    ~FileSource() override { close(); }
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    bool IsOpen() const { return Fd >= 0; }
    uint64_t Size() const override { return Bytes; }

    bool ReadAt(uint64_t offset, void* out, size_t size) const override {
        if (Fd < 0 || offset > Bytes || size > Bytes - offset)
            return false;
        auto* p = static_cast<char*>(out);
        while (size > 0) {
            ssize_t n = ::pread(Fd, p, size, static_cast<off_t>(offset));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false; // an error, or the file shrank under us
            p += n;
            offset += static_cast<uint64_t>(n);
            size -= static_cast<size_t>(n);
        }
        return true;
    }

  private:
    void close() {
        if (Fd >= 0)
            ::close(Fd);
        Fd = -1;
    }

    int Fd = -1;
    uint64_t Bytes = 0;
};

} // namespace

uint32_t GetFileVersionInfoSize(std::u16string_view path) {
    FileSource file(path);
    if (!file.IsOpen())
        return 0;
    std::optional<VersionResourceLocation> where = FindVersionResource(file);
    return where ? where->Size : 0;
}

bool GetFileVersionInfo(std::u16string_view path, std::span<uint8_t> buffer) {
    FileSource file(path);
    if (!file.IsOpen())
        return false;
    std::optional<VersionResourceLocation> where = FindVersionResource(file);
    if (!where)
        return false;
    size_t size = std::min<size_t>(buffer.size(), where->Size);
    return file.ReadAt(where->Offset, buffer.data(), size);
}

} // namespace tarvel
