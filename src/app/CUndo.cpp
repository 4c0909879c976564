#include "app/CUndo.h"

#include "platform/CArchive.h"

namespace kv {

namespace {

// Counts the bytes written to it and keeps none.
class CCountingFile : public CFile {
public:
    size_t Read(void*, size_t) override { return 0; }
    void Write(const void*, size_t count) override { m_nLength += count; }
    uint64_t GetPosition() const override { return m_nLength; }
    uint64_t GetLength() const override { return m_nLength; }
    void SeekToBegin() override {}

private:
    uint64_t m_nLength = 0;
};

}  // namespace

void CUndo::SaveUndoState() {
    // The snapshot's block is made its full size first: growing a block of
    // hundreds of megabytes step by step costs far more than the copy.
    CCountingFile counter;
    {
        CArchive ar(counter, CArchive::Mode::Store, 4096);
        Serialize(ar);
        ar.Close();
    }
    // The oldest snapshot that is about to go gives its block to the new one:
    // memory already in use costs no page faults.
    // A block much larger than needed is not kept: each snapshot costs no
    // more than its own bytes.
    const size_t needed = static_cast<size_t>(counter.GetLength());
    std::unique_ptr<CMemFile> snapshot;
    if (static_cast<int32_t>(m_UndoList.size()) > m_nMaxUndo) {
        snapshot = std::move(m_UndoList.back());
        m_UndoList.pop_back();
        if (snapshot->Capacity() > needed + needed / 8 + static_cast<size_t>(m_nGrowBytes))
            snapshot.reset();
        else
            snapshot->Empty();
    }
    if (!snapshot) snapshot = std::make_unique<CMemFile>(static_cast<size_t>(m_nGrowBytes));
    snapshot->Reserve(needed);
    {
        CArchive ar(*snapshot, CArchive::Mode::Store, 4096);
        Serialize(ar);
        ar.Close();
    }
    m_UndoList.push_front(std::move(snapshot));
    ClearRedo();
}

void CUndo::RestoreState(CMemFile& snapshot) {
    DeleteContents();
    snapshot.SeekToBegin();
    CArchive ar(snapshot, CArchive::Mode::Load, 4096);
    Serialize(ar);
    ar.Close();
}

bool CUndo::UndoStep() {
    if (m_UndoList.size() <= 1) return false;
    m_RedoList.push_front(std::move(m_UndoList.front()));
    m_UndoList.pop_front();
    RestoreState(*m_UndoList.front());
    return true;
}

bool CUndo::RedoStep() {
    if (m_RedoList.empty()) return false;
    std::unique_ptr<CMemFile> snapshot = std::move(m_RedoList.front());
    m_RedoList.pop_front();
    if (static_cast<int32_t>(m_UndoList.size()) > m_nMaxUndo) m_UndoList.pop_back();
    m_UndoList.push_front(std::move(snapshot));
    RestoreState(*m_UndoList.front());
    return true;
}

uint64_t CUndo::SnapshotBytes() const {
    uint64_t total = 0;
    for (const auto& s : m_UndoList) total += s->GetLength();
    for (const auto& s : m_RedoList) total += s->GetLength();
    return total;
}

}  // namespace kv
