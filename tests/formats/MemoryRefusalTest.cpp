#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "data/CDataFormat.h"
#include "formats/FormatCatalogue.h"
#include "formats/SignalFiles.h"
#include "formats/FormatsTestSupport.h"
#include "platform/SystemMemory.h"
#include "support/CScriptedPlatform.h"

namespace kv {
namespace {

// Makes AvailableMemory report a figure for the life of the object.
class CMemoryFigure {
public:
    explicit CMemoryFigure(uint64_t bytes) : m_nPrevious(SetAvailableMemoryForTesting(bytes)) {}
    ~CMemoryFigure() { SetAvailableMemoryForTesting(m_nPrevious); }
    CMemoryFigure(const CMemoryFigure&) = delete;
    CMemoryFigure& operator=(const CMemoryFigure&) = delete;

private:
    uint64_t m_nPrevious;
};

std::string DoubleFile(int frames) {
    std::string bytes(static_cast<size_t>(frames) * 16, '\0');
    for (int i = 0; i < 2 * frames; ++i) {
        const double v = i * 0.25;
        std::memcpy(&bytes[static_cast<size_t>(i) * 8], &v, 8);
    }
    return bytes;
}

// A file that needs more memory than there is is refused before anything is
// read, with the memory it needs in the message; the columns keep their data.
TEST(MemoryRefusal, BinaryFilesAreRefusedUpFrontWithTheMemoryTheyNeed) {
    test::CTempDir dir;
    const std::string path = dir.Path() + "/big.bin";
    test::WriteBytes(path, DoubleFile(100000));  // 1.6 MB of file, 1.6 MB of values
    test::CScriptedPlatform platform;
    CDataSetIO data = test::MakeData({1, 2, 3}, {4, 5, 6});
    CDataFormat format(FMT_BINARY_DOUBLE);
    {
        CMemoryFigure figure(900000);
        EXPECT_FALSE(ReadSignalFile(data, format, path, 0, 1));
    }
    ASSERT_EQ(platform.MessageTexts().size(), 1u);
    const std::string text = platform.MessageTexts()[0];
    EXPECT_NE(text.find(path), std::string::npos) << text;
    EXPECT_NE(text.find("1.6 MB"), std::string::npos) << text;
    EXPECT_NE(text.find("900 kB"), std::string::npos) << text;
    EXPECT_EQ(test::Values(data.GetColumn(0)), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(test::Values(data.GetColumn(1)), (std::vector<double>{4, 5, 6}));

    // With enough memory it is read.
    {
        CMemoryFigure figure(1700000);
        ASSERT_TRUE(ReadSignalFile(data, format, path, 0, 1));
    }
    EXPECT_EQ(data.GetColumn(1).GetSize(), 100000);
    EXPECT_EQ(data.GetColumn(1)[99999], 199999 * 0.25);
    EXPECT_EQ(platform.MessageTexts().size(), 1u);
}

TEST(MemoryRefusal, TextFilesAreJudgedByTheirFirstLine) {
    test::CTempDir dir;
    const std::string path = dir.Path() + "/big.txt";
    std::string text;
    for (int i = 0; i < 20000; ++i) text += "0.5 -0.25\r\n";  // 11 bytes a line: about 320 kB of values
    test::WriteBytes(path, text);
    test::CScriptedPlatform platform;
    CDataSetIO data = test::Target();
    CDataFormat format(FMT_TEXT_DECIMAL);
    {
        CMemoryFigure figure(200000);
        EXPECT_FALSE(ReadSignalFile(data, format, path, 0, 1));
    }
    ASSERT_EQ(platform.MessageTexts().size(), 1u);
    EXPECT_NE(platform.MessageTexts()[0].find("kB of memory"), std::string::npos);
    EXPECT_EQ(data.GetColumn(0).GetSize(), 0);
    {
        CMemoryFigure figure(400000);
        ASSERT_TRUE(ReadSignalFile(data, format, path, 0, 1));
    }
    EXPECT_EQ(data.GetColumn(0).GetSize(), 20000);
    EXPECT_EQ(data.GetColumn(1)[19999], -0.25);
}

// Every binary layout is judged by its file's size before the columns are
// touched: WAVE, raw integers, single precision and NumPy arrays.
TEST(MemoryRefusal, EveryBinaryLayoutIsRefusedBeforeTheColumnsChange) {
    test::CTempDir dir;
    std::vector<double> i(50000), q(50000);
    for (int k = 0; k < 50000; ++k) {
        i[static_cast<size_t>(k)] = (k % 200) / 256.0 - 0.375;
        q[static_cast<size_t>(k)] = -i[static_cast<size_t>(k)];
    }
    for (int32_t id : {FMT_WAVE_16, FMT_BINARY_INT16, FMT_BINARY_FLOAT, FMT_BINARY_NPY}) {
        SCOPED_TRACE(id);
        test::CScriptedPlatform platform;
        const std::string path = dir.Path() + "/capture" + std::to_string(id);
        CDataFormat format(id);
        {
            CDataSetIO source = test::MakeData(i, q);
            ASSERT_TRUE(WriteSignalFile(source, format, path, 0, 1, 1));
        }
        CDataSetIO data = test::MakeData({1, 2, 3}, {4, 5, 6});
        CDataFormat readFormat(id);
        {
            // 50,000 complex values need 800 kB as doubles.
            CMemoryFigure figure(700000);
            EXPECT_FALSE(ReadSignalFile(data, readFormat, path, 0, 1));
        }
        ASSERT_EQ(platform.MessageTexts().size(), 1u);
        EXPECT_NE(platform.MessageTexts()[0].find("800 kB"), std::string::npos) << platform.MessageTexts()[0];
        EXPECT_EQ(test::Values(data.GetColumn(0)), (std::vector<double>{1, 2, 3}));
        EXPECT_EQ(test::Values(data.GetColumn(1)), (std::vector<double>{4, 5, 6}));
        {
            CMemoryFigure figure(900000);
            CDataFormat again(id);
            ASSERT_TRUE(ReadSignalFile(data, again, path, 0, 1));
        }
        EXPECT_EQ(data.GetColumn(0).GetSize(), 50000);
        EXPECT_EQ(platform.MessageTexts().size(), 1u);
    }
}

TEST(MemoryRefusal, SizesReadAsPeopleWriteThem) {
    EXPECT_EQ(MemorySizeText(512000), "512 kB");
    EXPECT_EQ(MemorySizeText(37500000), "37.5 MB");
    EXPECT_EQ(MemorySizeText(1600000000), "1.60 GB");
    EXPECT_GT(AvailableMemory(), uint64_t{1} << 20);  // the machine the tests run on
}

}  // namespace
}  // namespace kv
