// Reads arbitrary bytes as a PE image and, separately, as version
// information, and checks that whatever is found lies inside the input:
// the resource inside the image, every value inside its information.
#include "platform/VersionInfo.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

using namespace tarvel;

namespace {

void check(bool ok) {
    if (!ok)
        __builtin_trap();
}

void queryAll(std::span<const uint8_t> info) {
    static constexpr std::u16string_view kPaths[] = {
        u"\\",
        u"\\VarFileInfo\\Translation",
        u"\\StringFileInfo\\040904B0\\ProductVersion",
        u"\\StringFileInfo\\040904b0\\FileVersion",
        u"\\StringFileInfo\\\\ProductVersion",
        u"\\StringFileInfo\\040704E4\\CompanyName",
    };
    for (std::u16string_view path : kPaths) {
        std::optional<VersionValue> value = VerQueryValue(info, path);
        if (!value)
            continue;
        check(value->Bytes.data() >= info.data());
        check(value->Bytes.data() + value->Bytes.size() <= info.data() + info.size());
        check(VersionText(*value).size() <= value->Bytes.size() / 2);
        check(VersionDwords(*value).size() == value->Bytes.size() / 4);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view image(reinterpret_cast<const char*>(data), size);
    if (std::optional<VersionResourceLocation> where = FindVersionResource(image)) {
        check(where->Size > 0 && where->Offset <= size && where->Size <= size - where->Offset);
        std::optional<std::vector<uint8_t>> info = VersionInfoFromImage(image);
        check(info && info->size() == where->Size);
        // A copy of exactly its size, so that a read past it is caught.
        queryAll(*info);
    }
    // The same bytes as version information, to reach deep into the block
    // tree without first finding a way through the headers.
    std::vector<uint8_t> raw(data, data + size);
    queryAll(raw);
    return 0;
}
