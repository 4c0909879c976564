#pragma once
#include <cstdint>
#include <string>

namespace kv {

class CArchive;
struct CControl;

// A sampling frequency held in its chosen unit, with one of four unit pairs:
// 0 Hz/sec, 1 kHz/ms, 2 MHz/us, 3 GHz/ns.
class CFs {
public:
    explicit CFs(double value = 1.0) : m_dValue(value) {}

    static constexpr int kUnitCount = 4;
    static double UnitFactor(int unit);  // factor to Hz of a unit row (1.0 for a bad index)

    double GetValue(double* factor = nullptr) const;
    void SetValue(double value) { m_dValue = value; }
    int32_t GetUnit() const { return m_nUnit; }
    void SetUnit(int32_t unit) { m_nUnit = unit; }
    std::string GetFreqUnitName() const;
    std::string GetTimeUnitName() const;
    std::string GetUnitsText() const;
    bool ParseUnits(const std::string& text);
    void FillUnitList(CControl& list) const;
    int32_t ScaleFreqUnit(int& exponent) const;
    int32_t ScaleTimeUnit(int& exponent) const;
    std::string ScaledFreqUnitName(int& exponent) const;
    std::string ScaledTimeUnitName(int& exponent) const;
    // The value (f64 from version 20 on, f32 before), then the units text.
    void Serialize(int version, CArchive& ar);

    double m_dValue;
    int32_t m_nUnit = 0;
};

}  // namespace kv
