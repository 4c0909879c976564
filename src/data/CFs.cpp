#include "data/CFs.h"

#include <algorithm>
#include <cctype>

#include "platform/CArchive.h"
#include "platform/CControl.h"
#include "platform/StringTable.h"

namespace kv {

namespace {

const StringId kFreqUnits[CFs::kUnitCount] = {IDS_UNIT_HZ, IDS_UNIT_KHZ, IDS_UNIT_MHZ, IDS_UNIT_GHZ};
const StringId kTimeUnits[CFs::kUnitCount] = {IDS_UNIT_SEC, IDS_UNIT_MS, IDS_UNIT_US, IDS_UNIT_NS};
const double kFactors[CFs::kUnitCount] = {1.0, 1000.0, 1000000.0, 1000000000.0};

bool ValidUnit(int unit) { return unit >= 0 && unit < CFs::kUnitCount; }

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

double CFs::UnitFactor(int unit) { return ValidUnit(unit) ? kFactors[unit] : 1.0; }

double CFs::GetValue(double* factor) const {
    if (factor) *factor = UnitFactor(m_nUnit);
    return m_dValue;
}

std::string CFs::GetFreqUnitName() const { return ValidUnit(m_nUnit) ? LoadString(kFreqUnits[m_nUnit]) : std::string(); }

std::string CFs::GetTimeUnitName() const { return ValidUnit(m_nUnit) ? LoadString(kTimeUnits[m_nUnit]) : std::string(); }

std::string CFs::GetUnitsText() const { return GetFreqUnitName() + "," + GetTimeUnitName(); }

bool CFs::ParseUnits(const std::string& text) {
    m_nUnit = 0;
    std::string t = text.substr(0, text.find(','));
    t = Lower(t);
    for (int i = 0; i < kUnitCount; ++i) {
        if (Lower(LoadString(kFreqUnits[i])) == t) {
            m_nUnit = i;
            return true;
        }
    }
    return false;
}

void CFs::FillUnitList(CControl& list) const {
    list.m_items.clear();
    for (int i = 0; i < kUnitCount; ++i) list.m_items.push_back(LoadString(kFreqUnits[i]) + "," + LoadString(kTimeUnits[i]));
    list.m_nSel = ValidUnit(m_nUnit) ? m_nUnit : -1;
}

int32_t CFs::ScaleFreqUnit(int& exponent) const {
    int n = m_nUnit;
    int q = exponent / 3;
    while (q > 0 && n < 3) {
        --q;
        ++n;
    }
    while (q < 0 && n > 0) {
        ++q;
        --n;
    }
    exponent = 3 * q;
    return n;
}

int32_t CFs::ScaleTimeUnit(int& exponent) const {
    int n = m_nUnit;
    int q = exponent / 3;
    while (q > 0 && n > 0) {
        --q;
        --n;
    }
    while (q < 0 && n < 3) {
        ++q;
        ++n;
    }
    exponent = 3 * q;
    return n;
}

std::string CFs::ScaledFreqUnitName(int& exponent) const {
    int n = ScaleFreqUnit(exponent);
    return ValidUnit(n) ? LoadString(kFreqUnits[n]) : std::string();
}

std::string CFs::ScaledTimeUnitName(int& exponent) const {
    int n = ScaleTimeUnit(exponent);
    return ValidUnit(n) ? LoadString(kTimeUnits[n]) : std::string();
}

void CFs::Serialize(int version, CArchive& ar) {
    if (ar.IsStoring()) {
        if (version >= 20)
            ar.WriteF64(m_dValue);
        else
            ar.WriteF32(static_cast<float>(m_dValue));
        ar.WriteString(GetUnitsText());
    } else {
        m_dValue = version >= 20 ? ar.ReadF64() : static_cast<double>(ar.ReadF32());
        ParseUnits(ar.ReadString());
    }
}

}  // namespace kv
