// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes.
#pragma once

#include <string>
#include <string_view>

namespace tarvel::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return Path; }
    std::u16string path16() const;

    // path() + "/" + name, in UTF-8 and UTF-16.
    std::string file(std::string_view name) const;
    std::u16string file16(std::string_view name) const;

    // Writes `bytes` to path()/name, creating folders on the way.
    std::string write(std::string_view name, std::string_view bytes) const;

private:
    std::string Path;
};

// The whole content of a file; fails the test when it cannot be read.
std::string ReadBytes(const std::string& path);
bool PathExists(const std::string& path);

} // namespace tarvel::test
