#include <gtest/gtest.h>

#include "data/CFs.h"
#include "platform/CArchive.h"
#include "platform/CControl.h"
#include "platform/CMemFile.h"

namespace kv {
namespace {

CFs WithUnit(int unit) {
    CFs fs(1.0);
    fs.SetUnit(unit);
    return fs;
}

TEST(Fs, ParseUnitsMatchesTheFrequencyUnitIgnoringCase) {
    CFs fs;
    EXPECT_TRUE(fs.ParseUnits("MHz,us"));
    EXPECT_EQ(fs.GetUnit(), 2);
    EXPECT_TRUE(fs.ParseUnits("mhz"));
    EXPECT_EQ(fs.GetUnit(), 2);
    EXPECT_TRUE(fs.ParseUnits("KHZ"));
    EXPECT_EQ(fs.GetUnit(), 1);
    EXPECT_TRUE(fs.ParseUnits("khz,sec"));  // the time unit is ignored
    EXPECT_EQ(fs.GetUnit(), 1);
    EXPECT_FALSE(fs.ParseUnits("rpm"));
    EXPECT_EQ(fs.GetUnit(), 0);
    fs.SetUnit(3);
    EXPECT_FALSE(fs.ParseUnits(""));
    EXPECT_EQ(fs.GetUnit(), 0);
}

TEST(Fs, UnitTextsOfEveryRow) {
    EXPECT_EQ(WithUnit(0).GetUnitsText(), "Hz,sec");
    EXPECT_EQ(WithUnit(1).GetUnitsText(), "kHz,ms");
    EXPECT_EQ(WithUnit(2).GetUnitsText(), "MHz,us");
    EXPECT_EQ(WithUnit(3).GetUnitsText(), "GHz,ns");
    double factor = 0;
    CFs fs = WithUnit(2);
    fs.SetValue(48);
    EXPECT_EQ(fs.GetValue(&factor), 48);
    EXPECT_EQ(factor, 1e6);
    CControl list;
    fs.FillUnitList(list);
    EXPECT_EQ(list.m_items, (std::vector<std::string>{"Hz,sec", "kHz,ms", "MHz,us", "GHz,ns"}));
    EXPECT_EQ(list.m_nSel, 2);
}

TEST(Fs, ScaleFreqUnitMovesWholeThousandsIntoTheUnit) {
    CFs khz = WithUnit(1);
    struct Case {
        int exponent, unit, rest;
    } cases[] = {{6, 3, 0}, {9, 3, 3}, {-3, 0, 0}, {-6, 0, -3}, {2, 1, 0}, {0, 1, 0}, {-2, 1, 0}};
    for (const Case& c : cases) {
        int e = c.exponent;
        EXPECT_EQ(khz.ScaleFreqUnit(e), c.unit) << c.exponent;
        EXPECT_EQ(e, c.rest) << c.exponent;
    }
    int e = 6;
    EXPECT_EQ(khz.ScaledFreqUnitName(e), "GHz");
}

TEST(Fs, ScaleTimeUnitRunsTheOtherWay) {
    CFs ms = WithUnit(1);
    int e = 3;
    EXPECT_EQ(ms.ScaleTimeUnit(e), 0);
    EXPECT_EQ(e, 0);
    e = -3;
    EXPECT_EQ(ms.ScaleTimeUnit(e), 2);
    EXPECT_EQ(e, 0);
    e = -9;
    EXPECT_EQ(ms.ScaledTimeUnitName(e), "ns");
    EXPECT_EQ(e, -3);
}

TEST(Fs, SerializesAsDoubleFromVersion20AndAsFloatBefore) {
    CFs fs(48.1);
    fs.SetUnit(1);
    CMemFile f20, f19;
    {
        CArchive a(f20, CArchive::Mode::Store);
        fs.Serialize(20, a);
        CArchive b(f19, CArchive::Mode::Store);
        fs.Serialize(19, b);
    }
    EXPECT_EQ(f20.GetLength(), 8u + 1 + 6);
    EXPECT_EQ(f19.GetLength(), 4u + 1 + 6);
    CFs back20, back19;
    f20.SeekToBegin();
    f19.SeekToBegin();
    CArchive a(f20, CArchive::Mode::Load);
    back20.Serialize(20, a);
    CArchive b(f19, CArchive::Mode::Load);
    back19.Serialize(19, b);
    EXPECT_EQ(back20.m_dValue, 48.1);
    EXPECT_EQ(back19.m_dValue, static_cast<double>(48.1f));
    EXPECT_EQ(back20.GetUnit(), 1);
    EXPECT_EQ(back19.GetUnit(), 1);
}

}  // namespace
}  // namespace kv
