#pragma once
#include <cmath>
#include <cstdint>
#include <string>
#include <utility>

#include "data/CDataSetIO.h"
#include "data/CFs.h"

namespace kv {

// One block of sampled signal, the Time Data or the Frequency Data of a
// project: an Inphase and a Quadrature column with the sampling frequency,
// the working range, the real-data flag, the window marker and the decibel
// settings. Frequency Data is held in transform order (index 0 is DC, the
// negative frequencies from N/2 up); its working range may use negative
// indices, which address index + N.
class CKalvoData : public CDataSetIO {
public:
    CKalvoData();
    ~CKalvoData() override = default;
    CKalvoData(const CKalvoData& other);
    CKalvoData& operator=(const CKalvoData& other);

    virtual const char* GetRuntimeClassName() const { return "CKalvoData"; }

    // Two empty columns; no window, real, empty range.
    void Reset() override;
    using CDataSetIO::Serialize;
    // The signal data record of a project file.
    void Serialize(CArchive& ar, int version) override;
    virtual bool IsReal() const { return m_bReal != 0; }
    virtual double GetFs(double* factor = nullptr) const { return m_Fs.GetValue(factor); }
    virtual double IndexToValue(int32_t i) const;
    virtual int32_t ValueToIndex(double x) const;
    virtual void MultiplyFs(double factor);

    void ResetRange();
    bool SetRangeByIndex(int32_t start, int32_t stop, bool strict);
    bool SetRangeByValue(bool strict, double from, double to);
    std::pair<double, double> GetRangeValues() const;
    void ApplyFs(const CFs& fs);
    int32_t EqualizeColumns(double padValue);
    int32_t DetectReal();
    // Stored index of a (possibly negative) working-range index.
    int32_t MapIndex(int32_t index) const;
    // 0 I, 1 Q, 2 power, 3 phase in degrees, 4 magnitude.
    double GetComponent(int32_t index, int component) const;
    // Component A of a point with Inphase re and Quadrature im, as
    // GetComponent gives it (0 for other A), for loops over many points.
    template <int A>
    static double ComponentOf(double re, double im) {
        if constexpr (A == 0) return re;
        if constexpr (A == 1) return im;
        if constexpr (A == 2) return re * re + im * im;
        if constexpr (A == 3) return (re == 0.0 && im == 0.0) ? 0.0 : std::atan2(im, re) / M_PI * 180.0;
        if constexpr (A == 4) return std::sqrt(re * re + im * im);
        return 0.0;
    }
    // The working range limited to the indices that address stored points;
    // false when it holds none.
    bool StoredWorkingRange(int32_t& first, int32_t& last) const;
    std::pair<double, double> GetComponentRange(int component) const;
    double PeakPower() const;
    double ToDb(double power, bool floor) const;
    std::string GetUnitName() const;
    std::string GetScaledUnitName(int& exponent) const;

    bool IsTime() const { return m_bTime != 0; }
    CDataColumn& Inphase() { return *m_pInphase; }
    CDataColumn& Quadrature() { return *m_pQuadrature; }
    const CDataColumn& Inphase() const { return *m_pInphase; }
    const CDataColumn& Quadrature() const { return *m_pQuadrature; }

    CDataColumn* m_pInphase = nullptr;
    CDataColumn* m_pQuadrature = nullptr;
    int32_t m_bTime = 1;
    int32_t m_bReal = 1;
    double m_dFs = 0.0;
    double m_dHalfFs = 0.0;
    double m_dStep = 0.0;
    int32_t m_nWindow = -1;
    int32_t m_nStart = 0;
    int32_t m_nStop = 0;
    int32_t m_nCount = 0;
    int32_t m_nHalf = 0;
    int32_t m_nMinSpan = 4;
    float m_fMinDb = -130.0f;
    CFs m_Fs{1.0};
    double m_dDbOffset = 0.0;
    std::string m_strDbLabel = "dB";

private:
    void BindColumns();
    // The members of this class (not of the data set), then the column references.
    void CopyOwnMembers(const CKalvoData& other);
};

}  // namespace kv
