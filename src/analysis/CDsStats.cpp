#include "analysis/CDsStats.h"

#include <algorithm>
#include <cmath>

#include "data/CKalvoData.h"
#include "data/CNonFinite.h"
#include "platform/CPlatform.h"
#include "platform/StringTable.h"

namespace kv {

namespace {

// Sum of a column divided by its own number of points; 0 for an empty column.
double MeanOf(const CDataColumn& column) { return column.GetSize() > 0 ? column.GetMean() : 0.0; }

}  // namespace

CDsStats::CDsStats() : CDialogModel(LoadString(IDS_DSSTATS_TITLE)) { m_bOkOnly = true; }

void CDsStats::CreateControls() {
    const struct {
        int id;
        StringId label;
    } rows[] = {{IDC_MINIMUM, IDS_DSSTATS_MINIMUM},
                {IDC_MAXIMUM, IDS_DSSTATS_MAXIMUM},
                {IDC_INPHASE_MEAN, IDS_DSSTATS_INPHASE_MEAN},
                {IDC_QUADRATURE_MEAN, IDS_DSSTATS_QUADRATURE_MEAN},
                {IDC_MAGNITUDE_RMS, IDS_DSSTATS_MAGNITUDE_RMS}};
    int row = 0;
    for (const auto& r : rows) AddEdit(r.id, LoadString(r.label), -1, row++).m_bReadOnly = true;
}

void CDsStats::Compute(const CKalvoData& data) {
    const CDataColumn& re = data.Inphase();
    const CDataColumn& im = data.Quadrature();
    m_dMinimum = std::min(re.GetMin(), im.GetMin());
    m_dMaximum = std::max(re.GetMax(), im.GetMax());
    m_dInphaseMean = MeanOf(re);
    m_dQuadratureMean = MeanOf(im);
    const int32_t n = data.GetCount();
    if (n > 0) {
        double sum = 0.0;
        for (int32_t i = 0; i < n; ++i) sum += re[i] * re[i] + im[i] * im[i];
        m_dMagnitudeRms = std::sqrt(sum / n);
    } else {
        m_dMagnitudeRms = 0.0;
    }
}

bool CDsStats::ComputeAndShow(const CKalvoData& data) {
    CNonFinite bad;
    {
        CWaitCursor wait(LoadString(IDS_GATHERING_TIME_STATS));
        bad = CNonFinite::OfData(data);
        if (!bad.Any()) Compute(data);
    }
    if (bad.Any()) {
        ErrorBox(bad.Message());
        return false;
    }
    return RunDialog(*this);
}

void CDsStats::DoDataExchange(CDataExchange& dx) {
    if (dx.Saving()) return;  // nothing to read back from read-only edits
    dx.Text(IDC_MINIMUM, m_dMinimum);
    dx.Text(IDC_MAXIMUM, m_dMaximum);
    dx.Text(IDC_INPHASE_MEAN, m_dInphaseMean);
    dx.Text(IDC_QUADRATURE_MEAN, m_dQuadratureMean);
    dx.Text(IDC_MAGNITUDE_RMS, m_dMagnitudeRms);
}

}  // namespace kv
