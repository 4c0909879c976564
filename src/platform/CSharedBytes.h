#pragma once
#include <cstddef>
#include <memory>

namespace kv {

// A block of bytes held by several owners at once and changed by none of
// them while it is shared: the values of a column that an undo snapshot
// keeps without copying them. The owner keeps the bytes alive; the kind tells
// the owner's type to whoever takes the block back (the address of a tag
// object of that type, compared, never dereferenced).
struct CSharedBytes {
    std::shared_ptr<const void> m_pOwner;
    const void* m_pKind = nullptr;
    const unsigned char* m_pData = nullptr;
    size_t m_nBytes = 0;
};

}  // namespace kv
