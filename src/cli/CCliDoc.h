#pragma once

#include "app/CModDoc.h"

namespace kv {

// The project of one command-line run: the program's project document, with
// the outcome of its write commands kept for the exit status.
class CCliDoc : public CModDoc {
public:
    CCliDoc() = default;

    void WriteTimeData() override;
    void WriteFrequencyData() override;

    // Whether the last write command wrote its file(s).
    bool m_bWritten = false;
};

}  // namespace kv
