#include <gtest/gtest.h>

#include <complex>

#include "formats/FormatCatalogue.h"
#include "formats/NpyFiles.h"
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

const std::vector<double> kReal = {0.5, -0.25, 0.1, -1e-300, 3.0, -7.5};

std::vector<double> AsFloats(const std::vector<double>& v) {
    std::vector<double> out;
    for (double x : v) out.push_back(static_cast<float>(x));
    return out;
}

const std::string kOneChannel = "File contains only one channel: quadrature data will not be read.";

}  // namespace

TEST(NpyRead, RealArraysOfEachTypeAndOrder) {
    CScriptedPlatform platform;
    for (const char* name : {"f8.npy", "f8-big.npy", "f8-version2.npy", "f8-version3.npy"}) {
        auto r = ReadAs(FMT_BINARY_NPY, Fixture(name), false);
        ASSERT_TRUE(r.ok) << name;
        EXPECT_EQ(Values(r.data.GetColumn(0)), kReal) << name;
    }
    auto f4 = ReadAs(FMT_BINARY_NPY, Fixture("f4.npy"), false);
    ASSERT_TRUE(f4.ok);
    EXPECT_EQ(Values(f4.data.GetColumn(0)), AsFloats(kReal));
    // Integers map to -1 ... 1 by 2^(bits-1), as the raw integer formats do.
    auto i1 = ReadAs(FMT_BINARY_NPY, Fixture("i1.npy"), false);
    ASSERT_TRUE(i1.ok);
    EXPECT_EQ(Values(i1.data.GetColumn(0)),
              (std::vector<double>{0.0, 1 / 128.0, -1 / 128.0, 127 / 128.0, -1.0, 100 / 128.0}));
    for (const char* name : {"i2.npy", "i2-big.npy"}) {
        auto i2 = ReadAs(FMT_BINARY_NPY, Fixture(name), false);
        ASSERT_TRUE(i2.ok) << name;
        EXPECT_EQ(Values(i2.data.GetColumn(0)), (std::vector<double>{0.0, 1 / 128.0, -1 / 128.0, 127 / 128.0, -1.0,
                                                                    100 / 128.0, 32767 / 32768.0, -1.0}))
            << name;
    }
    auto i4 = ReadAs(FMT_BINARY_NPY, Fixture("i4.npy"), false);
    ASSERT_TRUE(i4.ok);
    EXPECT_EQ(Values(i4.data.GetColumn(0)), (std::vector<double>{2147483647 / 2147483648.0, -1.0, 1 / 32768.0}));
    auto scalar = ReadAs(FMT_BINARY_NPY, Fixture("f8-scalar.npy"), false);
    ASSERT_TRUE(scalar.ok);
    EXPECT_EQ(Values(scalar.data.GetColumn(0)), (std::vector<double>{2.5}));
    EXPECT_TRUE(platform.messages.empty());
    // A real array read as complex data has one channel.
    auto asComplex = ReadAs(FMT_BINARY_NPY, Fixture("f8.npy"), true);
    ASSERT_TRUE(asComplex.ok);
    EXPECT_EQ(Values(asComplex.data.GetColumn(0)), kReal);
    EXPECT_EQ(asComplex.data.GetColumn(1).GetSize(), 0);
    EXPECT_EQ(platform.MessageTexts(), (std::vector<std::string>{kOneChannel}));
}

TEST(NpyRead, ComplexArraysAndTwoColumns) {
    CScriptedPlatform platform;
    for (const char* name : {"c16.npy", "c16-big.npy", "c8.npy"}) {
        auto r = ReadAs(FMT_BINARY_NPY, Fixture(name), true);
        ASSERT_TRUE(r.ok) << name;
        std::vector<double> re = {0.5, -1.0, 0.1}, im = {-0.25, 2.0, 0.2};
        if (std::string(name) == "c8.npy") {
            re = AsFloats(re);
            im = AsFloats(im);
        }
        EXPECT_EQ(Values(r.data.GetColumn(0)), re) << name;
        EXPECT_EQ(Values(r.data.GetColumn(1)), im) << name;
    }
    // Into one column: the real parts.
    auto real = ReadAs(FMT_BINARY_NPY, Fixture("c16.npy"), false);
    EXPECT_EQ(Values(real.data.GetColumn(0)), (std::vector<double>{0.5, -1.0, 0.1}));
    for (const char* name : {"f8-two-columns.npy", "f8-two-columns-fortran.npy"}) {
        auto r = ReadAs(FMT_BINARY_NPY, Fixture(name), true);
        ASSERT_TRUE(r.ok) << name;
        EXPECT_EQ(Values(r.data.GetColumn(0)), (std::vector<double>{1, 3, 5})) << name;
        EXPECT_EQ(Values(r.data.GetColumn(1)), (std::vector<double>{2, 4, 6})) << name;
        auto one = ReadAs(FMT_BINARY_NPY, Fixture(name), false);
        EXPECT_EQ(Values(one.data.GetColumn(0)), (std::vector<double>{1, 3, 5})) << name;
    }
    auto column = ReadAs(FMT_BINARY_NPY, Fixture("f8-one-column.npy"), false);
    EXPECT_EQ(Values(column.data.GetColumn(0)), (std::vector<double>{1, 3, 5}));
    EXPECT_TRUE(platform.messages.empty());
}

TEST(NpyRead, ArraysItCannotUseAreRefusedNamingFileAndReason) {
    CScriptedPlatform platform;
    auto refused = [&](const std::string& name, const std::string& reason) {
        platform.messages.clear();
        auto r = ReadAs(FMT_BINARY_NPY, Fixture(name), true);
        EXPECT_FALSE(r.ok) << name;
        EXPECT_EQ(r.data.GetColumn(0).GetSize(), 0);
        EXPECT_EQ(platform.MessageTexts(),
                  (std::vector<std::string>{"Cannot read \"" + Fixture(name) + "\": " + reason}));
    };
    refused("f8-two-rows.npy",
            "its array has the shape (2, 3); one-dimensional arrays and arrays of one or two columns can be read.");
    refused("i8.npy",
            "its array holds values of type '<i8'; float32, float64, complex64, complex128, int8, int16 and int32 "
            "arrays can be read.");
    refused("structured.npy",
            "its array holds values of type 'structured'; float32, float64, complex64, complex128, int8, int16 and "
            "int32 arrays can be read.");
    refused("cf32.sigmf-meta", "it is not a NumPy .npy file.");
}

TEST(NpyRead, LyingAndTruncatedHeaders) {
    CScriptedPlatform platform;
    CTempDir dir;
    std::string good = ReadBytes(Fixture("f8.npy"));
    auto refused = [&](const std::string& bytes, const std::string& reason) {
        WriteBytes(dir / "x.npy", bytes);
        platform.messages.clear();
        auto r = ReadAs(FMT_BINARY_NPY, dir / "x.npy", false);
        EXPECT_FALSE(r.ok) << reason;
        EXPECT_EQ(platform.MessageTexts(), (std::vector<std::string>{"Cannot read \"" + (dir / "x.npy") + "\": " + reason}));
    };
    // The header with another shape, its length kept by the padding.
    auto withShape = [&](const std::string& shape) {
        std::string h = good.substr(0, 128);
        h.replace(h.find("(6,)"), 4, shape);
        size_t pad = h.find("}") + 1;
        if (h.size() > 128) h.erase(pad, h.size() - 128);
        if (h.size() < 128) h.insert(pad, 128 - h.size(), ' ');
        return h + good.substr(128);
    };
    // A shape beyond what the file holds: no room is made for it.
    refused(withShape("(9999999999999,)"), "its header states 79999999999992 bytes of samples, but only 48 follow it.");
    refused(good.substr(0, good.size() - 1), "its header states 48 bytes of samples, but only 47 follow it.");
    refused(withShape("(99999999999999999999,)"), "its NumPy header is damaged.");
    refused(withShape("(9999999999999999999,)"),
            "its header states (9999999999999999999,) x 8 bytes of samples, but only 48 follow it.");
    refused(withShape("(6, 2, 1)"),
            "its array has the shape (6, 2, 1); one-dimensional arrays and arrays of one or two columns can be read.");
    refused(good.substr(0, 40), "its NumPy header is damaged.");
    refused(good.substr(0, 7), "it is not a NumPy .npy file.");
    std::string version = good;
    version[6] = 4;
    refused(version, "it is a NumPy file of version 4.0, which this program does not read.");
    std::string noShape = good;
    noShape.replace(noShape.find("'shape'"), 7, "'shapo'");
    refused(noShape, "its NumPy header is damaged.");
    std::string longHeader = good;
    longHeader[8] = '\xFF';
    longHeader[9] = '\xFF';
    refused(longHeader, "its NumPy header is damaged.");
    EXPECT_FALSE(kv::test::FileExists(dir / "y.npy"));
}

TEST(NpyWrite, HeaderIsWhatNumPyWrites) {
    // numpy.save of np.zeros(3) and of np.zeros(3, complex): the same header bytes.
    std::string real = NpyHeader(false, 3);
    ASSERT_EQ(real.size(), 128u);
    std::string numpy = ReadBytes(Fixture("f8.npy")).substr(0, 128);  // numpy.save of six values
    numpy[numpy.find("(6,)") + 1] = '3';
    EXPECT_EQ(real, numpy);
    std::string complex = NpyHeader(true, 3);
    EXPECT_EQ(complex.substr(0, 10), std::string("\x93NUMPY\x01\x00\x76\x00", 10));
    EXPECT_EQ(complex.substr(10, 58), "{'descr': '<c16', 'fortran_order': False, 'shape': (3,), }");
    EXPECT_EQ(complex.back(), '\n');
    // Every length keeps the header a multiple of 64 bytes.
    for (uint64_t n : {0ull, 9ull, 123456789012345ull, 18446744073709551615ull})
        EXPECT_EQ(NpyHeader(n % 2 == 0, n).size() % 64, 0u) << n;
}

TEST(NpyWrite, RealAndComplexArraysReadBack) {
    CScriptedPlatform platform;
    CTempDir dir;
    CDataSetIO complex = MakeData({0.1, -2.5, 1e-310}, {3.0, 0.0, -0.0});
    CDataFormat f(FMT_BINARY_NPY);
    ASSERT_TRUE(WriteSignalFile(complex, f, dir / "c.npy", 0, 1, 1));
    std::string b = ReadBytes(dir / "c.npy");
    ASSERT_EQ(b.size(), 128u + 48u);
    EXPECT_EQ(b.substr(0, 128), NpyHeader(true, 3));
    auto back = ReadAs(FMT_BINARY_NPY, dir / "c.npy", true);
    ASSERT_TRUE(back.ok);
    EXPECT_EQ(Values(back.data.GetColumn(0)), Values(complex.GetColumn(0)));
    EXPECT_EQ(Values(back.data.GetColumn(1)), Values(complex.GetColumn(1)));
    EXPECT_TRUE(std::signbit(back.data.GetValue(1, 2)));
    CDataSetIO real = MakeData({1.0, 2.0});
    ASSERT_TRUE(WriteSignalFile(real, f, dir / "r.npy", 0, kNoColumn, 1));
    EXPECT_EQ(ReadBytes(dir / "r.npy").substr(0, 128), NpyHeader(false, 2));
    EXPECT_TRUE(platform.messages.empty());
}
