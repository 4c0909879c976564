#pragma once
#include <cstdint>
#include <deque>
#include <memory>

#include "platform/CSnapshotFile.h"

namespace kv {

class CArchive;

// Undo and redo over whole-document snapshots: each snapshot is the
// document written into memory exactly as it would be written to its file.
// The columns of signal data are kept in a snapshot by reference, shared with
// the document and the other snapshots until someone writes to them (copy on
// write), so the history grows with what the operations changed.
class CUndo {
public:
    CUndo(int32_t growBytes = 32768, int32_t maxUndo = 10) : m_nGrowBytes(growBytes), m_nMaxUndo(maxUndo) {}
    virtual ~CUndo() = default;

    // Supplied by the document.
    virtual void Serialize(CArchive& ar) = 0;
    virtual void DeleteContents() = 0;

    void SaveUndoState();
    void RestoreState(CSnapshotFile& snapshot);
    void ClearRedo() { m_RedoList.clear(); }
    // Move one step back or forward; return false when there was none.
    bool UndoStep();
    bool RedoStep();
    bool CanUndo() const { return m_UndoList.size() > 1; }
    bool CanRedo() const { return !m_RedoList.empty(); }
    size_t UndoCount() const { return m_UndoList.size(); }
    size_t RedoCount() const { return m_RedoList.size(); }
    // Bytes of all snapshots as files (what copies of them would take).
    uint64_t SnapshotBytes() const;
    // The snapshots, newest first (the head of the undo list is the current state).
    CSnapshotFile& UndoSnapshot(size_t i) { return *m_UndoList[i]; }
    CSnapshotFile& RedoSnapshot(size_t i) { return *m_RedoList[i]; }

    int32_t m_nGrowBytes;
    int32_t m_nMaxUndo;

protected:
    // Newest first; the head of the undo list is the current state.
    std::deque<std::unique_ptr<CSnapshotFile>> m_UndoList;
    std::deque<std::unique_ptr<CSnapshotFile>> m_RedoList;
};

}  // namespace kv
