#pragma once

#include "platform/CDialogModel.h"

namespace kv {

class CKalvoData;

// The "Time Data Statistics" dialog with its five results: the smallest and
// largest sample over both columns, the mean of each column and the RMS of
// the complex magnitude. The results are shown in read-only edits.
class CDsStats : public CDialogModel {
public:
    enum ControlId {
        IDC_INPHASE_MEAN = 2089,
        IDC_MAXIMUM = 2090,
        IDC_MINIMUM = 2091,
        IDC_QUADRATURE_MEAN = 2092,
        IDC_MAGNITUDE_RMS = 2093,
    };

    CDsStats();

    // Computes the five results over every point of the data (not only its
    // working range). Results that need at least one point stay 0 for
    // empty data.
    void Compute(const CKalvoData& data);
    // Computes, then shows the dialog; true for OK. Data holding values
    // that are not finite gets an error message naming them instead, and
    // false.
    bool ComputeAndShow(const CKalvoData& data);

    void DoDataExchange(CDataExchange& dx) override;
    // The edits are read-only: OK just closes.
    void OnOK() override { EndDialog(IDOK); }

    double m_dMinimum = 0.0;
    double m_dMaximum = 0.0;
    double m_dInphaseMean = 0.0;
    double m_dQuadratureMean = 0.0;
    double m_dMagnitudeRms = 0.0;

protected:
    void CreateControls() override;
};

}  // namespace kv
