#pragma once
#include <cstdint>
#include <string>

#include "data/CDataFormat.h"
#include "platform/CDialogModel.h"

namespace kv {

class CArchive;

// The "Data Files" dialog and its state: the file (or the Inphase and
// Quadrature files) through which a project reads or writes its Time or
// Frequency Data, each with its format, and the interleaving of writes.
class CDataFiles : public CDialogModel {
public:
    enum ControlId {
        IDC_NAME = 1501,  // group "Inphase or Complex File Name and  Format"
        IDC_BROWSE,
        IDC_FORMAT,
        IDC_COMPLEX,
        IDC_OPTIONS,
        IDC_QNAME,        // group "Quadrature File Name and Format"
        IDC_QBROWSE,
        IDC_QFORMAT,
        IDC_QOPTIONS,
        IDC_NONE,         // radio group "Polyphase Interleaving"
        IDC_FORWARD,
        IDC_REVERSE,
        IDC_FACTOR,
        IDC_RESET_RANGES,
    };
    enum Interleave { INTERLEAVE_NONE = 0, INTERLEAVE_FORWARD = 1, INTERLEAVE_REVERSE = 2 };

    CDataFiles();

    // The Data Files record of a project file, as of the given version. On
    // loading, the shown file names become the file-name parts of the paths.
    void Serialize(CArchive& ar, int version);

    // True when the Quadrature file takes part: "Complex" off and either
    // reading or complex data.
    bool QuadratureEnabled() const { return !m_bComplex && (m_bRead || !m_bReal); }

    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    void OnOK() override;
    void OnClicked(int id) override;
    void OnSelChange(int id) override;

    // ---- stored -------------------------------------------------------------
    std::string m_strPath;   // Inphase-or-complex full path
    std::string m_strQPath;  // Quadrature full path
    int32_t m_bComplex = 0;
    int32_t m_nInterleave = INTERLEAVE_NONE;
    int32_t m_nFactor = 0;
    CDataFormat m_Format{FMT_TEXT_DECIMAL};
    CDataFormat m_QFormat{FMT_TEXT_DECIMAL};

    // ---- not stored ------------------------------------------------------------
    std::string m_strName;   // Inphase-or-complex file name as shown and typed
    std::string m_strQName;  // Quadrature file name
    int32_t m_bResetRanges = 1;
    bool m_bRead = true;     // direction of the current use
    std::string m_strCaptionPrefix;
    std::string m_strCaptionSuffix;
    int32_t m_bReal = 1;     // the data being written is real
    // The sampling rate in Hz that the files of the last read state (the
    // Inphase-or-complex file's, else the Quadrature file's); 0 for none.
    double m_dReadRate = 0.0;

protected:
    void CreateControls() override;

private:
    // Takes the names, "Complex", the formats, the mode and "Reset ranges
    // and plots" from the controls (not the factor, which is checked on OK).
    void TakeControls();
    void ApplyEnabling();
    void Browse(bool quadrature);
    void FillFormatList(int id, const CDataFormat& format);
};

// The default names of the code formats: an empty TI assembly name and an
// empty C variable name become the title with every "." replaced by "_".
void SetDefaultCodeNames(CDataFormat& format, const std::string& title);

}  // namespace kv
