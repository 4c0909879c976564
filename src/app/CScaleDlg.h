#pragma once
#include <cstdint>

#include "platform/CDialogModel.h"

namespace kv {

class CArchive;

// The "Scale Time Data" dialog and the project's scale settings.
class CScaleDlg : public CDialogModel {
public:
    enum ControlId {
        IDC_SCALE = 1201,
        IDC_DB,
    };

    CScaleDlg();

    void DoDataExchange(CDataExchange& dx) override;
    // The factor the settings give: the value, or 10^(value/20) in dB.
    double Factor() const;
    // The scale settings record of a project file.
    void Serialize(CArchive& ar, int version);

    double m_dScale = 1.0;
    int32_t m_bDb = 0;

protected:
    void CreateControls() override;
};

}  // namespace kv
