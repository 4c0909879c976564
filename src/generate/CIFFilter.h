#pragma once
#include <cstdint>
#include <string>

#include "platform/CDialogModel.h"

namespace kv {

class CArchive;

// The "IF Filter" page of the signal generator: FIR filter files for the
// Inphase and Quadrature columns (empty: no filtering).
class CIFFilter : public CDialogModel {
public:
    enum ControlId {
        IDC_INPHASE_FILTER = 2034,
        IDC_QUADRATURE_FILTER = 2066,
        IDC_INPHASE_BROWSE = 2200,
        IDC_QUADRATURE_BROWSE = 2201,
    };

    CIFFilter();

    void DoDataExchange(CDataExchange& dx) override;
    // "Browse..." beside either file name.
    void OnClicked(int id) override;

    // The page's record of a project file (the same in every version).
    void Serialize(CArchive& ar, int version);

    std::string m_strInphaseFilter;
    std::string m_strQuadratureFilter;

protected:
    void CreateControls() override;
};

}  // namespace kv
