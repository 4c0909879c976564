#include <gtest/gtest.h>

#include <climits>
#include <unistd.h>

#include "formats/FormatHelpers.h"
#include "formats/FormatsTestSupport.h"
#include "support/CScriptedPlatform.h"

using namespace kv;
using kv::test::CScriptedPlatform;
using kv::test::CTempDir;
using kv::test::WriteBytes;

TEST(FormatHelpers, FormatInteger) {
    EXPECT_EQ(FormatInteger(255, 16, 4), "00FF");
    EXPECT_EQ(FormatInteger(-1, 16, 0), "FFFFFFFF");
    EXPECT_EQ(FormatInteger(42, 10, 5), "   42");
    EXPECT_EQ(FormatInteger(-5, 10, 4), "  -5");
    EXPECT_EQ(FormatInteger(0, 10, 0), "0");
    EXPECT_EQ(FormatInteger(INT32_MIN, 16, 0), "80000000");
    EXPECT_EQ(FormatInteger(INT32_MIN, 10, 0), "-2147483648");
    EXPECT_EQ(FormatInteger(5, 2, 8), "00000101");
    EXPECT_EQ(FormatInteger(35, 36, 0), "Z");
    EXPECT_EQ(FormatInteger(123456, 10, 3), "123456");
}

TEST(FormatHelpers, EngineeringNotation) {
    EXPECT_EQ(FormatEngineering(12345.678, 3, true), "12.346E3");
    EXPECT_EQ(FormatEngineering(-12345.678, 3, true), "-12.346E3");
    EXPECT_EQ(FormatEngineering(0.5, 3, true), "0.500");
    EXPECT_EQ(FormatEngineering(0.0123, 3, true), "12.300E-3");
    EXPECT_EQ(FormatEngineering(0.001, 3, true), "1.000E-3");
    EXPECT_EQ(FormatEngineering(0.000123, 3, true), "0.123E-3");
    EXPECT_EQ(FormatEngineering(0.0, 3, true), "0.000");
    EXPECT_EQ(FormatEngineering(999.9999, 3, true), "1.000E3");
    EXPECT_EQ(FormatEngineering(12345.678, 3, false), "12345.678");
    EXPECT_EQ(EngineeringExponent(0.05), -3);
    EXPECT_EQ(EngineeringExponent(0.0005), -3);
    EXPECT_EQ(EngineeringExponent(5e-7), -6);
    EXPECT_EQ(EngineeringExponent(1e4), 3);
    EXPECT_EQ(EngineeringExponent(0.0), 0);
}

TEST(FormatHelpers, PowersTrimAndRealPatterns) {
    EXPECT_DOUBLE_EQ(PowerOfTenFloor(0.0456), 0.01);
    EXPECT_DOUBLE_EQ(PowerOfTenFloor(3.0), 1.0);
    EXPECT_DOUBLE_EQ(PowerOfTenFloor(250.0), 100.0);
    for (auto [in, out] : {std::pair<std::string, std::string>{"1.2500", "1.25"}, {"3.000", "3"}, {"0.0", "0"},
                           {"-0.000", "-0"}, {"100", "100"}, {"0", "0"}, {"10.00", "10"}}) {
        std::string s = in;
        EXPECT_EQ(TrimTrailingZeros(s), static_cast<int>(out.size())) << in;
        EXPECT_EQ(s, out);
    }
    EXPECT_EQ(FormatReal("%14.9lf", 0.5), "   0.500000000");
    EXPECT_EQ(FormatReal("%9.6lf", -1.0), "-1.000000");
    EXPECT_EQ(FormatReal("%.1f", 1e300).size(), 303u);
}

TEST(FormatHelpers, ReadAndWriteLines) {
    CTempDir dir;
    WriteBytes(dir / "l.txt", "1 2\r\n\r\n3 4");
    std::FILE* f = std::fopen((dir / "l.txt").c_str(), "rb");
    ASSERT_NE(f, nullptr);
    std::string line = "old";
    EXPECT_TRUE(ReadTextLine(f, line));
    EXPECT_EQ(line, "1 2");
    EXPECT_FALSE(ReadTextLine(f, line));
    EXPECT_EQ(line, "");
    EXPECT_TRUE(ReadTextLine(f, line));
    EXPECT_EQ(line, "3 4");
    EXPECT_FALSE(ReadTextLine(f, line));
    std::fclose(f);

    std::FILE* out = std::fopen((dir / "w.txt").c_str(), "wb");
    WriteTextLine(out, "abc");
    WriteLineEnd(out);
    std::fclose(out);
    EXPECT_EQ(kv::test::ReadBytes(dir / "w.txt"), "abc\r\n\r\n");
}

TEST(FormatHelpers, PathParts) {
    EXPECT_EQ(FileNamePart("data.txt"), "data.txt");
    EXPECT_EQ(DirectoryPart("data.txt"), "");
    EXPECT_EQ(FileNamePart("C:\\signals\\in.txt"), "in.txt");
    EXPECT_EQ(DirectoryPart("C:\\signals\\in.txt"), "C:\\signals\\");
    EXPECT_EQ(FileNamePart("/home/u/in.txt"), "in.txt");
    EXPECT_EQ(DirectoryPart("/home/u/in.txt"), "/home/u/");
    EXPECT_EQ(DirectoryPart("/home/u/"), "/home/u/");
    EXPECT_EQ(FileNamePart("/home/u/"), "");
    for (std::string p : {"a/b\\c.txt", "x", "", "/"}) EXPECT_EQ(DirectoryPart(p) + FileNamePart(p), p);

    std::string name = ".dat";
    EXPECT_TRUE(ApplyExtension("C:\\my.dir\\sig.txt", name));
    EXPECT_EQ(name, "C:\\my.dat");
    name = ".dat";
    EXPECT_TRUE(ApplyExtension("", name));
    EXPECT_EQ(name, ".dat");
    name = ".wav";
    EXPECT_TRUE(ApplyExtension("signal", name));
    EXPECT_EQ(name, "signal.wav");
    name = "plain.txt";
    EXPECT_FALSE(ApplyExtension("signal", name));
    EXPECT_EQ(name, "plain.txt");
    name.clear();
    EXPECT_FALSE(ApplyExtension("signal", name));
    // Typed relative paths are paths, not extensions.
    for (const char* path : {"./out.txt", "../out.txt", ".\\out.txt", "..\\out.txt", ".", "..", "../../a/b.dat"}) {
        name = path;
        EXPECT_FALSE(ApplyExtension("sig.wav", name)) << path;
        EXPECT_EQ(name, path);
    }
    // Names of several dots are extensions still.
    name = "..dat";
    EXPECT_TRUE(ApplyExtension("sig.wav", name));
    EXPECT_EQ(name, "sig..dat");
    name = ".../x";
    EXPECT_TRUE(ApplyExtension("sig", name));
    EXPECT_EQ(name, "sig.../x");
}

TEST(FormatHelpers, DirectoriesAndOpenableFiles) {
    kv::test::CCurrentDirectoryGuard cwd;
    CScriptedPlatform platform;
    CTempDir dir;
    char before[PATH_MAX];
    ASSERT_NE(getcwd(before, sizeof before), nullptr);
    EXPECT_FALSE(ChangeToDirectory(""));
    EXPECT_TRUE(ChangeToDirectory(dir.Path() + "/"));
    char now[PATH_MAX];
    ASSERT_NE(getcwd(now, sizeof now), nullptr);
    EXPECT_EQ(std::string(now), std::filesystem::canonical(dir.Path()).string());
    EXPECT_TRUE(ChangeToDirectory(now));
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(ChangeToDirectory(dir / "missing"));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "Cannot change to " + (dir / "missing") + ".");
    EXPECT_EQ(platform.messages[0].icon, MsgIcon::Error);
    ASSERT_EQ(chdir(before), 0);

    WriteBytes(dir / "f.txt", "x");
    EXPECT_TRUE(CanOpenFile(dir / "f.txt"));
    EXPECT_FALSE(CanOpenFile(dir / "none.txt"));
    EXPECT_FALSE(CanOpenFile(dir.Path()));
    EXPECT_FALSE(CanOpenFile(""));
}
