#include "data/CFloatArray.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <utility>
#ifdef __linux__
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace kv {

struct CFloatArray::CBlock {
    double* p = nullptr;
    int32_t capacity = 0;
    CBlock() = default;
    CBlock(const CBlock&) = delete;
    CBlock& operator=(const CBlock&) = delete;
    ~CBlock() { std::free(p); }
};

namespace {

// Identifies blocks of this class among the shared blocks of a snapshot.
const char kBlockKind = 0;

// Blocks start on a cache line, so that vector code (the transform above
// all) never has a load or store that straddles two lines.
constexpr size_t kBlockAlignment = 64;

double* AllocateBlock(size_t bytes) {
    const size_t rounded = (bytes + kBlockAlignment - 1) / kBlockAlignment * kBlockAlignment;
    void* p = std::aligned_alloc(kBlockAlignment, rounded);
    if (!p) throw std::bad_alloc();
    return static_cast<double*>(p);
}

// Grows a block to `bytes`, keeping its first `keep` bytes. realloc remaps
// the pages of a large block rather than copying them, keeping its place in
// the page and so its alignment; a block that realloc moves off a cache line
// is moved once more, onto one (where memory allows; else it stays).
double* GrowBlock(double* old, size_t keep, size_t bytes) {
    void* p = std::realloc(old, bytes);
    if (!p) throw std::bad_alloc();
    if (reinterpret_cast<uintptr_t>(p) % kBlockAlignment == 0) return static_cast<double*>(p);
    const size_t rounded = (bytes + kBlockAlignment - 1) / kBlockAlignment * kBlockAlignment;
    void* aligned = std::aligned_alloc(kBlockAlignment, rounded);
    if (!aligned) return static_cast<double*>(p);
    std::memcpy(aligned, p, keep);
    std::free(p);
    return static_cast<double*>(aligned);
}

// Asks for large pages on a large block: filling fresh memory then takes a
// small fraction of the page faults.
void AdviseLargePages(void* data, size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr uintptr_t kLarge = uintptr_t{2} << 20;
    if (bytes < 2 * kLarge) return;
    const uintptr_t page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    const uintptr_t begin = (reinterpret_cast<uintptr_t>(data) + page - 1) & ~(page - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(data) + bytes) & ~(page - 1);
    if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
    (void)data;
    (void)bytes;
#endif
}

size_t Bytes(int64_t count) { return sizeof(double) * static_cast<size_t>(count); }

}  // namespace

CFloatArray::CFloatArray(const CFloatArray& other)
    : m_pBlock(other.m_pBlock), m_pData(other.m_pData), m_nSize(other.m_nSize), m_nMaxSize(other.m_nMaxSize),
      m_nGrowBy(other.m_nGrowBy), m_nStamp(other.m_nStamp) {
    if (m_pBlock) m_bOwn = other.m_bOwn = false;
}

CFloatArray& CFloatArray::operator=(const CFloatArray& other) {
    if (this == &other) return *this;
    m_pBlock = other.m_pBlock;
    m_pData = other.m_pData;
    m_nSize = other.m_nSize;
    m_nMaxSize = other.m_nMaxSize;
    m_nStamp = other.m_nStamp;
    m_bOwn = true;
    if (m_pBlock) m_bOwn = other.m_bOwn = false;
    return *this;
}

CFloatArray::CFloatArray(CFloatArray&& other) noexcept
    : m_pBlock(std::move(other.m_pBlock)), m_pData(other.m_pData), m_nSize(other.m_nSize),
      m_nMaxSize(other.m_nMaxSize), m_nGrowBy(other.m_nGrowBy), m_bOwn(other.m_bOwn), m_nStamp(other.m_nStamp) {
    other.m_pData = nullptr;
    other.m_nSize = other.m_nMaxSize = 0;
    other.m_bOwn = true;
    other.m_nStamp = 0;
}

CFloatArray& CFloatArray::operator=(CFloatArray&& other) noexcept {
    if (this == &other) return *this;
    m_pBlock = std::move(other.m_pBlock);
    m_pData = other.m_pData;
    m_nSize = other.m_nSize;
    m_nMaxSize = other.m_nMaxSize;
    m_nGrowBy = other.m_nGrowBy;
    m_bOwn = other.m_bOwn;
    m_nStamp = other.m_nStamp;
    other.m_pData = nullptr;
    other.m_nSize = other.m_nMaxSize = 0;
    other.m_bOwn = true;
    other.m_nStamp = 0;
    return *this;
}

uint64_t CFloatArray::GetStamp() const {
    static std::atomic<uint64_t> next{0};
    if (m_nStamp == 0) m_nStamp = next.fetch_add(1, std::memory_order_relaxed) + 1;
    return m_nStamp;
}

bool CFloatArray::IsShared() const { return m_pBlock && m_pBlock.use_count() > 1; }

void CFloatArray::MakeOwn() {
    if (m_pBlock && m_pBlock.use_count() > 1) {
        auto block = std::make_shared<CBlock>();
        block->p = AllocateBlock(Bytes(m_nMaxSize));
        AdviseLargePages(block->p, Bytes(m_nMaxSize));
        block->capacity = m_nMaxSize;
        if (m_nSize > 0) std::memcpy(block->p, m_pData, Bytes(m_nSize));
        m_pBlock = std::move(block);
        m_pData = m_pBlock->p;
    }
    m_bOwn = true;
}

void CFloatArray::SetSize(int32_t n) {
    if (n < 0) throw std::bad_alloc();
    m_nStamp = 0;
    if (n == 0) {
        m_pBlock.reset();
        m_pData = nullptr;
        m_nSize = m_nMaxSize = 0;
        m_bOwn = true;
        return;
    }
    if (!m_pBlock) {
        auto block = std::make_shared<CBlock>();
        block->p = AllocateBlock(Bytes(n));
        AdviseLargePages(block->p, Bytes(n));
        block->capacity = n;
        m_pBlock = std::move(block);
        m_pData = m_pBlock->p;
        m_nSize = m_nMaxSize = n;
        m_bOwn = true;
        return;
    }
    if (n > m_nMaxSize) {
        int64_t capacity = static_cast<int64_t>(m_nMaxSize) + m_nGrowBy;
        if (n >= capacity) capacity = n;
        if (capacity > std::numeric_limits<int32_t>::max()) capacity = std::numeric_limits<int32_t>::max();
        if (!m_bOwn && m_pBlock.use_count() > 1) {
            // Shared: the grown block is a new one, holding a copy of the values.
            auto block = std::make_shared<CBlock>();
            block->p = AllocateBlock(Bytes(capacity));
            AdviseLargePages(block->p, Bytes(capacity));
            block->capacity = static_cast<int32_t>(capacity);
            std::memcpy(block->p, m_pData, Bytes(m_nSize));
            m_pBlock = std::move(block);
        } else {
            // realloc remaps the pages of large blocks rather than copying
            // them, so growing by a fixed step stays linear in time.
            double* p = GrowBlock(m_pBlock->p, Bytes(m_nSize), Bytes(capacity));
            m_pBlock->p = p;
            m_pBlock->capacity = static_cast<int32_t>(capacity);
            if (Bytes(capacity) > Bytes(m_nMaxSize) + (size_t{4} << 20)) AdviseLargePages(p, Bytes(capacity));
        }
        m_bOwn = true;
        m_pData = m_pBlock->p;
        m_nMaxSize = static_cast<int32_t>(capacity);
    } else if (n > m_nSize && !m_bOwn) {
        MakeOwn();  // the new places are written next
    }
    m_nSize = n;
}

CSharedBytes CFloatArray::ShareValues() const {
    CSharedBytes block;
    if (!m_pBlock || m_nSize == 0) return block;
    m_bOwn = false;
    block.m_pOwner = m_pBlock;
    block.m_pKind = &kBlockKind;
    block.m_pData = reinterpret_cast<const unsigned char*>(m_pData);
    block.m_nBytes = Bytes(m_nSize);
    return block;
}

bool CFloatArray::AdoptValues(const CSharedBytes& block) {
    if (block.m_pKind != &kBlockKind || !block.m_pOwner || block.m_nBytes % sizeof(double) != 0) return false;
    auto owner = std::const_pointer_cast<CBlock>(std::static_pointer_cast<const CBlock>(block.m_pOwner));
    const size_t count = block.m_nBytes / sizeof(double);
    if (reinterpret_cast<const unsigned char*>(owner->p) != block.m_pData || count > static_cast<size_t>(owner->capacity))
        return false;
    m_pBlock = std::move(owner);
    m_pData = m_pBlock->p;
    m_nSize = static_cast<int32_t>(count);
    m_nMaxSize = m_pBlock->capacity;
    m_bOwn = false;
    m_nStamp = 0;
    return true;
}

}  // namespace kv
