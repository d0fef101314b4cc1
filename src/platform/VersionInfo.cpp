#include "platform/VersionInfo.h"

#include "platform/CharUpper.h"

#include <algorithm>
#include <cstring>

namespace tarvel {

namespace {

constexpr uint32_t kRtVersion = 16;
constexpr uint32_t kResourceDataIsDirectory = 0x80000000u;
constexpr uint32_t kResourceNameIsString = 0x80000000u;
constexpr size_t kResourceDirectoryIndex = 2;
constexpr uint64_t kSectionHeaderSize = 40;
constexpr uint64_t kResourceDirectorySize = 16;
constexpr uint64_t kResourceEntrySize = 8;
constexpr uint64_t kResourceDataEntrySize = 16;
// The root block's wLength is 16 bits wide, so nothing past this is ever
// part of the version information, whatever size the resource claims.
constexpr uint32_t kMostVersionInfo = 0xFFFF;
constexpr size_t kBlockHeaderSize = 6;

uint16_t le16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

uint32_t le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

bool read16(const ByteSource& source, uint64_t offset, uint16_t& value) {
    uint8_t bytes[2];
    if (!source.ReadAt(offset, bytes, sizeof bytes))
        return false;
    value = le16(bytes);
    return true;
}

bool read32(const ByteSource& source, uint64_t offset, uint32_t& value) {
    uint8_t bytes[4];
    if (!source.ReadAt(offset, bytes, sizeof bytes))
        return false;
    value = le32(bytes);
    return true;
}

struct Section {
    uint32_t VirtualAddress;
    uint32_t RawSize;
    uint32_t RawOffset;
};

// Where `size` bytes at `rva` lie in the file, when one section's raw data
// holds all of them; bytes that exist only in memory (past the raw data)
// are not in the file and so are not there to read.
struct Mapped {
    uint64_t Offset;
    uint64_t RawEnd; // the end of that section's raw data in the file
};

std::optional<Mapped> rvaToOffset(const std::vector<Section>& sections, uint64_t fileSize,
                                  uint32_t rva, uint64_t size) {
    for (const Section& s : sections) {
        if (rva < s.VirtualAddress)
            continue;
        uint64_t into = rva - s.VirtualAddress;
        if (into >= s.RawSize || size > s.RawSize - into)
            continue;
        uint64_t offset = uint64_t{s.RawOffset} + into;
        if (offset > fileSize || size > fileSize - offset)
            return std::nullopt;
        return Mapped{offset, std::min<uint64_t>(uint64_t{s.RawOffset} + s.RawSize, fileSize)};
    }
    return std::nullopt;
}

struct Headers {
    uint32_t ResourceRva = 0;
    std::vector<Section> Sections;
};

std::optional<Headers> readHeaders(const ByteSource& source) {
    uint16_t magic = 0;
    uint32_t peOffset = 0;
    if (!read16(source, 0, magic) || magic != 0x5A4D || !read32(source, 0x3C, peOffset))
        return std::nullopt;

    uint8_t pe[24];
    if (!source.ReadAt(peOffset, pe, sizeof pe) || std::memcmp(pe, "PE\0\0", 4) != 0)
        return std::nullopt;
    uint16_t sectionCount = le16(pe + 6);
    uint16_t optionalSize = le16(pe + 20);

    uint64_t optionalOffset = uint64_t{peOffset} + sizeof pe;
    uint16_t optionalMagic = 0;
    if (!read16(source, optionalOffset, optionalMagic))
        return std::nullopt;
    uint64_t countField = 0;
    if (optionalMagic == 0x10B)
        countField = 92;
    else if (optionalMagic == 0x20B)
        countField = 108;
    else
        return std::nullopt;
    uint64_t directories = countField + 4;
    uint64_t resourceEntry = directories + kResourceDirectoryIndex * 8;
    uint32_t directoryCount = 0;
    if (optionalSize < resourceEntry + 8 ||
        !read32(source, optionalOffset + countField, directoryCount) ||
        directoryCount <= kResourceDirectoryIndex)
        return std::nullopt;

    Headers headers;
    uint32_t resourceSize = 0;
    if (!read32(source, optionalOffset + resourceEntry, headers.ResourceRva) ||
        !read32(source, optionalOffset + resourceEntry + 4, resourceSize) ||
        headers.ResourceRva == 0 || resourceSize == 0)
        return std::nullopt;

    std::vector<uint8_t> table(sectionCount * kSectionHeaderSize);
    if (!source.ReadAt(optionalOffset + optionalSize, table.data(), table.size()))
        return std::nullopt;
    headers.Sections.reserve(sectionCount);
    for (size_t i = 0; i < sectionCount; ++i) {
        const uint8_t* h = table.data() + i * kSectionHeaderSize;
        headers.Sections.push_back({le32(h + 12), le32(h + 16), le32(h + 20)});
    }
    return headers;
}

struct ResourceEntry {
    uint32_t Name;
    uint32_t Data;
};

// The resource tree: offsets inside it are relative to its start, and every
// read stays inside the raw data of the section that holds it.
class ResourceTree {
  public:
    ResourceTree(const ByteSource& source, uint64_t start, uint64_t end)
        : Source(source), Start(start), End(end) {}

    bool entries(uint32_t directory, size_t most, std::vector<ResourceEntry>& out) const {
        uint8_t header[kResourceDirectorySize];
        if (!read(directory, header, sizeof header))
            return false;
        size_t count = size_t{le16(header + 12)} + le16(header + 14);
        count = std::min(count, most);
        if (count * kResourceEntrySize > End - Start)
            return false;
        std::vector<uint8_t> raw(count * kResourceEntrySize);
        if (!read(uint64_t{directory} + kResourceDirectorySize, raw.data(), raw.size()))
            return false;
        out.clear();
        for (size_t i = 0; i < count; ++i)
            out.push_back({le32(raw.data() + i * 8), le32(raw.data() + i * 8 + 4)});
        return true;
    }

    bool read(uint64_t offset, void* out, size_t size) const {
        if (offset > End - Start || size > End - Start - offset)
            return false;
        return Source.ReadAt(Start + offset, out, size);
    }

  private:
    const ByteSource& Source;
    uint64_t Start;
    uint64_t End;
};

// The first subdirectory or data entry of a directory. The walk has a fixed
// depth (type, name, language), so a directory that points back to itself
// or to its parent cannot make it loop.
std::optional<uint32_t> firstEntry(const ResourceTree& tree, uint32_t directory,
                                   bool wantDirectory) {
    std::vector<ResourceEntry> entries;
    if (!tree.entries(directory, 1, entries) || entries.empty())
        return std::nullopt;
    bool isDirectory = (entries[0].Data & kResourceDataIsDirectory) != 0;
    if (isDirectory != wantDirectory)
        return std::nullopt;
    return entries[0].Data & ~kResourceDataIsDirectory;
}

std::optional<uint32_t> versionTypeDirectory(const ResourceTree& tree) {
    std::vector<ResourceEntry> entries;
    if (!tree.entries(0, SIZE_MAX, entries))
        return std::nullopt;
    for (const ResourceEntry& e : entries) {
        if ((e.Name & kResourceNameIsString) != 0 || e.Name != kRtVersion)
            continue;
        if ((e.Data & kResourceDataIsDirectory) == 0)
            return std::nullopt;
        return e.Data & ~kResourceDataIsDirectory;
    }
    return std::nullopt;
}

uint64_t align4(uint64_t offset) {
    return (offset + 3) & ~uint64_t{3};
}

// One block of the version information tree, as offsets into it.
struct Block {
    size_t End = 0;
    std::u16string Key;
    size_t ValueBegin = 0;
    size_t ValueEnd = 0;
    bool IsText = false;
    size_t ChildrenBegin = 0;
};

// The block at `offset`, which must end at or before `limit` (its parent's
// end): a block longer than its parent, or too short for its own header
// and key, is malformed.
std::optional<Block> parseBlock(std::span<const uint8_t> info, size_t offset, size_t limit) {
    if (offset > limit || limit - offset < kBlockHeaderSize)
        return std::nullopt;
    const uint8_t* p = info.data() + offset;
    uint16_t length = le16(p);
    uint16_t valueLength = le16(p + 2);
    if (length < kBlockHeaderSize || length > limit - offset)
        return std::nullopt;

    Block block;
    block.End = offset + length;
    block.IsText = le16(p + 4) == 1;
    size_t pos = offset + kBlockHeaderSize;
    for (;; pos += 2) {
        if (block.End - pos < 2)
            return std::nullopt; // the key has no terminating zero inside the block
        char16_t unit = static_cast<char16_t>(le16(info.data() + pos));
        if (unit == 0)
            break;
        block.Key.push_back(unit);
    }
    block.ValueBegin = std::min<size_t>(align4(pos + 2), block.End);
    size_t valueBytes = block.IsText ? size_t{valueLength} * 2 : valueLength;
    block.ValueEnd = block.ValueBegin + std::min(valueBytes, block.End - block.ValueBegin);
    block.ChildrenBegin = align4(block.ValueBegin + valueBytes);
    return block;
}

// The child of `parent` named `key`. Scanning stops at the first malformed
// child, since nothing after it can be told apart from garbage.
std::optional<Block> findChild(std::span<const uint8_t> info, const Block& parent,
                               std::u16string_view key) {
    for (size_t pos = parent.ChildrenBegin; pos < parent.End;) {
        std::optional<Block> child = parseBlock(info, pos, parent.End);
        if (!child)
            return std::nullopt;
        if (SameTextIgnoringCase(child->Key, key))
            return child;
        pos = align4(child->End);
    }
    return std::nullopt;
}

class MemorySource : public ByteSource {
  public:
    explicit MemorySource(std::string_view bytes) : Bytes(bytes) {}
    uint64_t Size() const override { return Bytes.size(); }
    bool ReadAt(uint64_t offset, void* out, size_t size) const override {
        if (offset > Bytes.size() || size > Bytes.size() - offset)
            return false;
        if (size != 0)
            std::memcpy(out, Bytes.data() + offset, size);
        return true;
    }

  private:
    std::string_view Bytes;
};

} // namespace

std::optional<VersionResourceLocation> FindVersionResource(const ByteSource& source) {
    std::optional<Headers> headers = readHeaders(source);
    if (!headers)
        return std::nullopt;
    const uint64_t fileSize = source.Size();
    // The tree may reach to the end of the raw data of the section it starts in.
    std::optional<Mapped> root =
        rvaToOffset(headers->Sections, fileSize, headers->ResourceRva, kResourceDirectorySize);
    if (!root)
        return std::nullopt;
    ResourceTree tree(source, root->Offset, root->RawEnd);

    std::optional<uint32_t> names = versionTypeDirectory(tree);
    std::optional<uint32_t> languages = names ? firstEntry(tree, *names, true) : std::nullopt;
    std::optional<uint32_t> data = languages ? firstEntry(tree, *languages, false) : std::nullopt;
    uint8_t entry[kResourceDataEntrySize];
    if (!data || !tree.read(*data, entry, sizeof entry))
        return std::nullopt;

    uint32_t rva = le32(entry);
    uint32_t size = le32(entry + 4);
    if (size == 0)
        return std::nullopt;
    std::optional<Mapped> where = rvaToOffset(headers->Sections, fileSize, rva, size);
    if (!where)
        return std::nullopt;
    return VersionResourceLocation{where->Offset, std::min(size, kMostVersionInfo)};
}

std::optional<VersionResourceLocation> FindVersionResource(std::string_view image) {
    return FindVersionResource(MemorySource(image));
}

std::optional<std::vector<uint8_t>> VersionInfoFromImage(std::string_view image) {
    std::optional<VersionResourceLocation> where = FindVersionResource(image);
    if (!where)
        return std::nullopt;
    const uint8_t* begin = reinterpret_cast<const uint8_t*>(image.data()) + where->Offset;
    return std::vector<uint8_t>(begin, begin + where->Size);
}

std::optional<VersionValue> VerQueryValue(std::span<const uint8_t> info,
                                          std::u16string_view subBlock) {
    std::optional<Block> block = parseBlock(info, 0, info.size());
    while (block && !subBlock.empty()) {
        size_t slash = subBlock.find(u'\\');
        std::u16string_view name = subBlock.substr(0, slash);
        subBlock =
            slash == std::u16string_view::npos ? std::u16string_view() : subBlock.substr(slash + 1);
        if (!name.empty())
            block = findChild(info, *block, name);
    }
    if (!block)
        return std::nullopt;
    return VersionValue{info.subspan(block->ValueBegin, block->ValueEnd - block->ValueBegin),
                        block->IsText};
}

std::u16string VersionText(const VersionValue& value) {
    std::u16string text;
    for (size_t i = 0; i + 1 < value.Bytes.size(); i += 2) {
        char16_t unit = static_cast<char16_t>(le16(value.Bytes.data() + i));
        if (unit == 0)
            break;
        text.push_back(unit);
    }
    return text;
}

std::vector<uint32_t> VersionDwords(const VersionValue& value) {
    std::vector<uint32_t> dwords;
    for (size_t i = 0; i + 3 < value.Bytes.size(); i += 4)
        dwords.push_back(le32(value.Bytes.data() + i));
    return dwords;
}

} // namespace tarvel
