#pragma once
#include <cstdint>
#include <string>

#include "cli/CCliArgs.h"
#include "dsp/CTransOpt.h"
#include "dsp/CWndDlg.h"

namespace kv {

class CCliDoc;
class CCliPlatform;

// The steps that take a signal file to Frequency Data, shared by the
// commands that show or write a spectrum (stats, transform, plot).

// The window of --window: none, or a window type with its parameter text.
struct CWindowChoice {
    int32_t m_nType = 0;  // 0 none, else a type of the window dialog
    std::string m_strParameter;
};

// The transform options and window settings of one command, which starts
// from their defaults.
struct CSpectrumOptions {
    CTransOpt m_TransOpt;
    CWndDlg m_WndDlg;
};

// Parses --window none|dolph:GAMMA|kaiser:ALPHA|bh4|bh7|hanning|gaussian|hamming.
CWindowChoice ParseWindow(const CCliArgs& args);

// Sets the transform options through their dialog (as the "Transform..."
// command does): --length max|pow2|N and --divide-by-n.
void SetTransformOptions(CTransOpt& options, CCliPlatform& platform, const CCliArgs& args);

// Sets the decibel reference through the "Decibels..." command, from --ref
// dbc|dbm|volts:V|dbfs:FS, --real-sine and --min-db (nothing when none is given).
void SetDecibelReference(CCliDoc& doc, CCliPlatform& platform, const CCliArgs& args);

// Reads the first positional argument as Time Data, as Read Time Data does
// (with the read options of the command line), followed by Remove DC when
// asked. False when the read failed.
bool ReadTime(CCliDoc& doc, CCliPlatform& platform, const CCliArgs& args, bool removeDc);

// The Window step (when a window is chosen: the question, the window dialog
// answered from --window, the window) and the Transform to Frequency step
// (the transform with its range checks, then the decibel reference), as
// the processing engine runs them; true when Frequency Data came out.
bool WindowAndTransform(CCliDoc& doc, CSpectrumOptions& options, CCliPlatform& platform,
                        const CWindowChoice& window);
// The Transform to Time step; true when Time Data came out.
bool TransformToTime(CCliDoc& doc, CSpectrumOptions& options);

}  // namespace kv
