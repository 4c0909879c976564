#include "app/CUndo.h"

#include "platform/CArchive.h"

namespace kv {

void CUndo::SaveUndoState() {
    // The columns go in by reference: a snapshot costs the bytes of the
    // options and texts, and the columns that later change are copied then,
    // once, by whoever changes them.
    auto snapshot = std::make_unique<CSnapshotFile>();
    {
        CArchive ar(*snapshot, CArchive::Mode::Store, 4096);
        Serialize(ar);
        ar.Close();
    }
    if (static_cast<int32_t>(m_UndoList.size()) > m_nMaxUndo) m_UndoList.pop_back();
    m_UndoList.push_front(std::move(snapshot));
    ClearRedo();
}

void CUndo::RestoreState(CSnapshotFile& snapshot) {
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
    std::unique_ptr<CSnapshotFile> snapshot = std::move(m_RedoList.front());
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
