// Bytes read at offsets, from a file or from memory, so that one parser
// serves both without reading more than it needs.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarvel {

class ByteSource {
  public:
    virtual ~ByteSource() = default;
    virtual uint64_t Size() const = 0;
    // Reads `size` bytes at `offset` into `out`; false when they are not all there.
    virtual bool ReadAt(uint64_t offset, void* out, size_t size) const = 0;
};

} // namespace tarvel
