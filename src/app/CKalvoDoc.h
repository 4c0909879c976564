#pragma once

#include "app/CUndo.h"
#include "platform/CSerDoc.h"

namespace kv {

// A document with undo: snapshots grow in 32768-byte steps, ten levels deep.
class CKalvoDoc : public CSerDoc, public CUndo {
public:
    CKalvoDoc() : CUndo(32768, 10) {}
};

}  // namespace kv
