#include "platform/Paths.h"

namespace tarvel {

namespace {

bool isSeparator(char16_t c, PathStyle style) {
    return style == PathStyle::Windows ? (c == u'\\' || c == u':') : c == u'/';
}

// Position of the last separator, or npos.
size_t lastSeparator(std::u16string_view path, PathStyle style) {
    for (size_t i = path.size(); i-- > 0;)
        if (isSeparator(path[i], style))
            return i;
    return std::u16string_view::npos;
}

} // namespace

char16_t PathDelimiter(PathStyle style) { return style == PathStyle::Windows ? u'\\' : u'/'; }

std::u16string ExtractFilePath(std::u16string_view path, PathStyle style) {
    size_t pos = lastSeparator(path, style);
    return pos == std::u16string_view::npos ? std::u16string() : std::u16string(path.substr(0, pos + 1));
}

std::u16string ExtractFileDir(std::u16string_view path, PathStyle style) {
    size_t pos = lastSeparator(path, style);
    if (pos == std::u16string_view::npos)
        return {};
    char16_t delim = PathDelimiter(style);
    // Keep the separator of a root: "C:\", "\\", "/".
    if (pos > 0 && path[pos] == delim && !isSeparator(path[pos - 1], style))
        return std::u16string(path.substr(0, pos));
    return std::u16string(path.substr(0, pos + 1));
}

std::u16string ExtractFileName(std::u16string_view path, PathStyle style) {
    size_t pos = lastSeparator(path, style);
    return std::u16string(pos == std::u16string_view::npos ? path : path.substr(pos + 1));
}

std::u16string JoinPath(std::u16string_view folder, std::u16string_view name, PathStyle style) {
    std::u16string out(folder);
    out.push_back(PathDelimiter(style));
    out.append(name);
    return out;
}

std::u16string ToLongPath(std::u16string_view path, PathStyle style) {
    constexpr size_t kMaxPath = 260;
    if (style == PathStyle::Posix || path.size() < kMaxPath)
        return std::u16string(path);
    if (path.starts_with(u"\\\\?"))
        return std::u16string(path);
    if (path.starts_with(u"\\\\"))
        return u"\\\\?\\UNC" + std::u16string(path.substr(1));
    return u"\\\\?\\" + std::u16string(path);
}

} // namespace tarvel
