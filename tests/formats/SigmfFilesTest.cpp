#include <gtest/gtest.h>

#include <regex>

#include <nlohmann/json.hpp>

#include "formats/FormatCatalogue.h"
#include "formats/SigmfFiles.h"
#include "formats/SignalFiles.h"
#include "formats/FormatsTestSupport.h"
#include "support/CScriptedPlatform.h"

using namespace kv;
using kv::test::CScriptedPlatform;
using kv::test::CTempDir;
using kv::test::Fixture;
using kv::test::MakeData;
using kv::test::ReadAs;
using kv::test::ReadBytes;
using kv::test::Values;
using kv::test::WriteBytes;

namespace {

const std::string kOneChannel = "File contains only one channel: quadrature data will not be read.";

std::vector<double> I(const kv::test::CReadResult& r) { return Values(r.data.GetColumn(0)); }
std::vector<double> Q(const kv::test::CReadResult& r) { return Values(r.data.GetColumn(1)); }

// The checks of the SigMF metadata schema that apply to what the program writes.
void ExpectValidMeta(const nlohmann::json& meta) {
    ASSERT_TRUE(meta.is_object());
    ASSERT_TRUE(meta.contains("global") && meta["global"].is_object());
    const nlohmann::json& g = meta["global"];
    ASSERT_TRUE(g.contains("core:datatype") && g["core:datatype"].is_string());
    EXPECT_TRUE(std::regex_match(g["core:datatype"].get<std::string>(),
                                 std::regex("^(c|r)((f32|f64|i32|i16|u32|u16)(_le|_be)|i8|u8)$")));
    ASSERT_TRUE(g.contains("core:version") && g["core:version"].is_string());
    EXPECT_TRUE(std::regex_match(g["core:version"].get<std::string>(), std::regex("^[0-9]+\\.[0-9]+\\.[0-9]+$")));
    if (g.contains("core:sample_rate")) {
        ASSERT_TRUE(g["core:sample_rate"].is_number());
        EXPECT_GT(g["core:sample_rate"].get<double>(), 0.0);
        EXPECT_LE(g["core:sample_rate"].get<double>(), 1e12);
    }
    if (g.contains("core:description")) {
        EXPECT_TRUE(g["core:description"].is_string());
    }
    for (const auto& [key, value] : g.items()) EXPECT_EQ(key.rfind("core:", 0), 0u) << key;
    ASSERT_TRUE(meta.contains("captures") && meta["captures"].is_array());
    for (const auto& c : meta["captures"]) {
        ASSERT_TRUE(c.is_object());
        ASSERT_TRUE(c.contains("core:sample_start"));
        EXPECT_TRUE(c["core:sample_start"].is_number_unsigned());
    }
    ASSERT_TRUE(meta.contains("annotations") && meta["annotations"].is_array());
}

}  // namespace

TEST(SigmfRead, ComplexRecordingsOfEachDataType) {
    CScriptedPlatform platform;
    auto cf32 = ReadAs(FMT_BINARY_SIGMF, Fixture("cf32.sigmf-meta"), true);
    ASSERT_TRUE(cf32.ok);
    EXPECT_EQ(I(cf32), (std::vector<double>{0.5, 1.0, 0.125}));
    EXPECT_EQ(Q(cf32), (std::vector<double>{-0.25, -1.0, 0.0}));
    EXPECT_EQ(cf32.format.m_dFileRate, 2.4e6);
    // Either file of the pair may be named.
    auto byData = ReadAs(FMT_BINARY_SIGMF, Fixture("cf32.sigmf-data"), true);
    ASSERT_TRUE(byData.ok);
    EXPECT_EQ(I(byData), I(cf32));
    auto cf64 = ReadAs(FMT_BINARY_SIGMF, Fixture("cf64-big.sigmf-meta"), true);
    ASSERT_TRUE(cf64.ok);
    EXPECT_EQ(I(cf64), (std::vector<double>{0.5, 1.0, 0.125}));
    EXPECT_EQ(cf64.format.m_dFileRate, 1000.0);
    auto ci16 = ReadAs(FMT_BINARY_SIGMF, Fixture("ci16.sigmf-meta"), true);
    ASSERT_TRUE(ci16.ok);
    EXPECT_EQ(I(ci16), (std::vector<double>{0.5, 32767 / 32768.0, 1 / 32768.0}));
    EXPECT_EQ(Q(ci16), (std::vector<double>{-0.5, -1.0, -1 / 32768.0}));
    auto ci8 = ReadAs(FMT_BINARY_SIGMF, Fixture("ci8.sigmf-meta"), true);
    ASSERT_TRUE(ci8.ok);
    EXPECT_EQ(I(ci8), (std::vector<double>{0.5, 127 / 128.0}));
    EXPECT_EQ(Q(ci8), (std::vector<double>{-0.5, -1.0}));
    EXPECT_EQ(ci8.format.m_dFileRate, 0.0);  // none stated
    auto cu8 = ReadAs(FMT_BINARY_SIGMF, Fixture("cu8.sigmf-meta"), true);
    ASSERT_TRUE(cu8.ok);
    EXPECT_EQ(I(cu8), (std::vector<double>{0.0, 127 / 128.0}));
    EXPECT_EQ(Q(cu8), (std::vector<double>{-1.0, 0.5}));
    EXPECT_EQ(cu8.format.m_dFileRate, 2048000.0);
    auto ci32 = ReadAs(FMT_BINARY_SIGMF, Fixture("ci32-big.sigmf-meta"), true);
    ASSERT_TRUE(ci32.ok);
    EXPECT_EQ(I(ci32), (std::vector<double>{0.5}));
    EXPECT_EQ(Q(ci32), (std::vector<double>{-0.5}));
    // Into one column: the Inphase values.
    auto one = ReadAs(FMT_BINARY_SIGMF, Fixture("ci16.sigmf-meta"), false);
    EXPECT_EQ(I(one), I(ci16));
    EXPECT_TRUE(platform.messages.empty());
}

TEST(SigmfRead, RealRecordingsChannelsAndNonConformingDatasets) {
    CScriptedPlatform platform;
    auto two = ReadAs(FMT_BINARY_SIGMF, Fixture("rf32-two-channels.sigmf-meta"), true);
    ASSERT_TRUE(two.ok);
    EXPECT_EQ(I(two), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(Q(two), (std::vector<double>{10, 20, 30}));
    auto first = ReadAs(FMT_BINARY_SIGMF, Fixture("rf32-two-channels.sigmf-meta"), false);
    EXPECT_EQ(I(first), (std::vector<double>{1, 2, 3}));
    auto real = ReadAs(FMT_BINARY_SIGMF, Fixture("ri16.sigmf-meta"), true);
    ASSERT_TRUE(real.ok);
    EXPECT_EQ(I(real), (std::vector<double>{0.5, -0.25, 0.0}));
    EXPECT_EQ(real.data.GetColumn(1).GetSize(), 0);
    EXPECT_EQ(real.format.m_dFileRate, 44100.0);
    EXPECT_EQ(platform.MessageTexts(), (std::vector<std::string>{kOneChannel}));
    platform.messages.clear();
    // Another data file named in the metadata, with a header before each capture.
    auto ncd = ReadAs(FMT_BINARY_SIGMF, Fixture("headers.sigmf-meta"), true);
    ASSERT_TRUE(ncd.ok);
    EXPECT_EQ(I(ncd), (std::vector<double>{0.25, 0.75}));
    EXPECT_EQ(Q(ncd), (std::vector<double>{-0.5, -1.0}));
    EXPECT_EQ(ncd.format.m_dFileRate, 1e6);
    EXPECT_TRUE(platform.messages.empty());
}

TEST(SigmfRead, MetadataItCannotUseIsRefusedNamingFileAndReason) {
    CScriptedPlatform platform;
    auto refused = [&](const std::string& name, const std::string& reason) {
        platform.messages.clear();
        auto r = ReadAs(FMT_BINARY_SIGMF, Fixture(name), true);
        EXPECT_FALSE(r.ok) << name;
        EXPECT_EQ(r.data.GetColumn(0).GetSize(), 0);
        ASSERT_EQ(platform.messages.size(), 1u) << name;
        const std::string start = "Cannot read \"" + Fixture(name) + "\": " + reason;
        EXPECT_EQ(platform.messages[0].text.substr(0, start.size()), start);
        EXPECT_EQ(platform.messages[0].icon, MsgIcon::Error);
    };
    refused("negative-header.sigmf-meta", "the value of core:header_bytes in its metadata is not valid.");
    refused("unknown-type.sigmf-meta", "its data type 'cf16_le' is not one this program reads.");
    refused("array.sigmf-meta", "its metadata is not a JSON object.");
    refused("broken.sigmf-meta", "its metadata is not valid JSON (parse error");
}

TEST(SigmfRead, LyingMetadata) {
    CScriptedPlatform platform;
    CTempDir dir;
    const std::string samples = ReadBytes(Fixture("cf32.sigmf-data"));
    auto refused = [&](const std::string& meta, const std::string& reason) {
        WriteBytes(dir / "x.sigmf-meta", meta);
        WriteBytes(dir / "x.sigmf-data", samples);
        platform.messages.clear();
        auto r = ReadAs(FMT_BINARY_SIGMF, dir / "x.sigmf-data", true);
        EXPECT_FALSE(r.ok) << meta;
        EXPECT_EQ(platform.MessageTexts(),
                  (std::vector<std::string>{"Cannot read \"" + (dir / "x.sigmf-meta") + "\": " + reason}))
            << meta;
    };
    refused(R"({"captures": []})", "its metadata has no \"global\" object.");
    refused(R"({"global": {"core:version": "1.0.0"}})", "its metadata does not state the data type (core:datatype).");
    refused(R"({"global": {"core:datatype": 7}})", "its metadata does not state the data type (core:datatype).");
    refused(R"({"global": {"core:datatype": "ci16"}})", "its data type 'ci16' is not one this program reads.");
    refused(R"({"global": {"core:datatype": "cf32_le", "core:sample_rate": -1}})",
            "the value of core:sample_rate in its metadata is not valid.");
    refused(R"({"global": {"core:datatype": "cf32_le", "core:num_channels": 0}})",
            "the value of core:num_channels in its metadata is not valid.");
    refused(R"({"global": {"core:datatype": "cf32_le", "core:trailing_bytes": 99}})",
            "the value of core:trailing_bytes in its metadata is not valid.");
    refused(R"({"global": {"core:datatype": "cf32_le"}, "captures": [{"core:sample_start": 0, "core:header_bytes": 400}]})",
            "its metadata places samples at byte 400, beyond the end of the data file (24 bytes).");
    refused(R"({"global": {"core:datatype": "cf32_le"}, "captures": [{"core:sample_start": 2}, {"core:sample_start": 1}]})",
            "the value of core:sample_start in its metadata is not valid.");
    refused(R"({"global": {"core:datatype": "cf32_le", "core:metadata_only": true}})",
            "it holds metadata only, no samples.");
    refused(R"({"global": {"core:datatype": "cf32_le", "core:dataset": "missing.dat"}})",
            "its data file \"" + (dir / "missing.dat") + "\" cannot be opened.");
    refused(R"("cf32_le")", "its metadata is not a JSON object.");
    // Captures beyond the samples are ignored, as SigMF asks.
    WriteBytes(dir / "y.sigmf-meta",
               R"({"global": {"core:datatype": "cf32_le"}, "captures": [{"core:sample_start": 0}, {"core:sample_start": 99}]})");
    WriteBytes(dir / "y.sigmf-data", samples);
    platform.messages.clear();
    auto r = ReadAs(FMT_BINARY_SIGMF, dir / "y.sigmf-meta", true);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(I(r), (std::vector<double>{0.5, 1.0, 0.125}));
    EXPECT_TRUE(platform.messages.empty());
    // A data file named without its metadata.
    WriteBytes(dir / "z.sigmf-data", samples);
    auto z = ReadAs(FMT_BINARY_SIGMF, dir / "z.sigmf-data", true);
    EXPECT_FALSE(z.ok);
    EXPECT_TRUE(platform.SawMessage("Cannot read \"" + (dir / "z.sigmf-data") + "\": its data file \"" +
                                    (dir / "z.sigmf-meta") + "\" cannot be opened."));
}

TEST(SigmfWrite, ComplexAndRealRecordingsWithTheirRate) {
    CScriptedPlatform platform;
    CTempDir dir;
    CDataSetIO complex = MakeData({0.5, -1.5, 1e-300}, {0.25, 3.0, -0.0});
    complex.m_strName = "Data from file: capture.wav";
    CDataFormat f(FMT_BINARY_SIGMF);
    f.SetDataRate(48000.0);
    ASSERT_TRUE(WriteSignalFile(complex, f, dir / "rec.sigmf-meta", 0, 1, 1));
    EXPECT_EQ(dir.Files(), (std::vector<std::string>{"rec.sigmf-data", "rec.sigmf-meta"}));
    EXPECT_EQ(ReadBytes(dir / "rec.sigmf-data").size(), 48u);
    nlohmann::json meta = nlohmann::json::parse(ReadBytes(dir / "rec.sigmf-meta"));
    ExpectValidMeta(meta);
    EXPECT_EQ(meta["global"]["core:datatype"], "cf64_le");
    EXPECT_EQ(meta["global"]["core:sample_rate"], 48000.0);
    EXPECT_EQ(meta["global"]["core:description"], "Data from file: capture.wav");
    auto back = ReadAs(FMT_BINARY_SIGMF, dir / "rec.sigmf-data", true);
    ASSERT_TRUE(back.ok);
    EXPECT_EQ(I(back), Values(complex.GetColumn(0)));
    EXPECT_EQ(Q(back), Values(complex.GetColumn(1)));
    EXPECT_EQ(back.format.m_dFileRate, 48000.0);

    // Real data, named by the data file or by the base name; no rate known.
    CDataSetIO real = MakeData({1.0, 2.0});
    CDataFormat r(FMT_BINARY_SIGMF);
    ASSERT_TRUE(WriteSignalFile(real, r, dir / "real.sigmf-data", 0, kNoColumn, 1));
    nlohmann::json realMeta = nlohmann::json::parse(ReadBytes(dir / "real.sigmf-meta"));
    ExpectValidMeta(realMeta);
    EXPECT_EQ(realMeta["global"]["core:datatype"], "rf64_le");
    EXPECT_FALSE(realMeta["global"].contains("core:sample_rate"));
    ASSERT_TRUE(WriteSignalFile(real, r, dir / "base", 0, kNoColumn, 1));
    EXPECT_TRUE(kv::test::FileExists(dir / "base.sigmf-meta"));
    EXPECT_TRUE(kv::test::FileExists(dir / "base.sigmf-data"));
    auto byBase = ReadAs(FMT_BINARY_SIGMF, dir / "base", false);
    ASSERT_TRUE(byBase.ok);
    EXPECT_EQ(I(byBase), (std::vector<double>{1.0, 2.0}));
    EXPECT_TRUE(platform.messages.empty());
}

TEST(SigmfWrite, TextsThatAreNotUtf8AndRatesBeyondTheSchema) {
    std::string text = SigmfMetaText(true, 2e12, "caf\xE9");
    nlohmann::json meta = nlohmann::json::parse(text);
    ExpectValidMeta(meta);
    EXPECT_FALSE(meta["global"].contains("core:sample_rate"));
    EXPECT_EQ(meta["global"]["core:description"], "caf\xEF\xBF\xBD");
    EXPECT_EQ(SigmfDatatype(SampleType::Int16, true, false), "ci16_le");
    EXPECT_EQ(SigmfDatatype(SampleType::UInt8, false, true), "ru8");
    EXPECT_EQ(SigmfDatatype(SampleType::Float32, false, true), "rf32_be");
}
