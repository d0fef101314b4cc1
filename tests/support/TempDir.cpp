#include "support/TempDir.h"

#include "platform/Unicode.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace tarvel::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
    std::string tmpl = (fs::temp_directory_path() / "tarvel-test-XXXXXX").string();
    if (!mkdtemp(tmpl.data()))
        throw std::runtime_error("mkdtemp failed");
    Path = tmpl;
}

TempDir::~TempDir() {
    std::error_code ec;
    // Give back write access first, so that read-only fixtures can go too.
    for (auto it = fs::recursive_directory_iterator(Path, ec); !ec && it != fs::end(it);
         it.increment(ec))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::permissions(Path, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(Path, ec);
}

std::u16string TempDir::path16() const { return U16(Path); }
std::string TempDir::file(std::string_view name) const { return Path + "/" + std::string(name); }
std::u16string TempDir::file16(std::string_view name) const { return U16(file(name)); }

std::string TempDir::write(std::string_view name, std::string_view bytes) const {
    std::string p = file(name);
    fs::create_directories(fs::path(p).parent_path());
    std::ofstream out(p, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return p;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << "cannot read " << path;
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool PathExists(const std::string& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

} // namespace tarvel::test
