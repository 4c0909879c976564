#pragma once
#include <cstdint>
#include <deque>
#include <memory>

#include "platform/CMemFile.h"

namespace kv {

class CArchive;

// Undo and redo over whole-document snapshots: each snapshot is the
// document written into memory exactly as it would be written to its file.
class CUndo {
public:
    CUndo(int32_t growBytes = 32768, int32_t maxUndo = 10) : m_nGrowBytes(growBytes), m_nMaxUndo(maxUndo) {}
    virtual ~CUndo() = default;

    // Supplied by the document.
    virtual void Serialize(CArchive& ar) = 0;
    virtual void DeleteContents() = 0;

    void SaveUndoState();
    void RestoreState(CMemFile& snapshot);
    void ClearRedo() { m_RedoList.clear(); }
    // Move one step back or forward; return false when there was none.
    bool UndoStep();
    bool RedoStep();
    bool CanUndo() const { return m_UndoList.size() > 1; }
    bool CanRedo() const { return !m_RedoList.empty(); }
    size_t UndoCount() const { return m_UndoList.size(); }
    size_t RedoCount() const { return m_RedoList.size(); }
    // Bytes held by all snapshots.
    uint64_t SnapshotBytes() const;

    int32_t m_nGrowBytes;
    int32_t m_nMaxUndo;

protected:
    // Newest first; the head of the undo list is the current state.
    std::deque<std::unique_ptr<CMemFile>> m_UndoList;
    std::deque<std::unique_ptr<CMemFile>> m_RedoList;
};

}  // namespace kv
