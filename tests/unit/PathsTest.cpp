#include "core/Paths.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "tests/CodePage932.h"
#include "tests/CountedText.h"

namespace {

std::string ApplicationNameFromModulePath(const std::string& modulePath, LeadByteTest isLeadByte = nullptr)
{
    char name[kPathBufferSize];
    ::ApplicationNameFromModulePath(modulePath.c_str(), name, isLeadByte);
    return name;
}

std::string HelpPathFromModulePath(const std::string& modulePath, LeadByteTest isLeadByte = nullptr)
{
    char helpPath[kHelpPathBufferSize];
    ::HelpPathFromModulePath(modulePath.c_str(), helpPath, isLeadByte);
    return helpPath;
}

std::string IniPathFor(const std::string& currentDirectory, const char* applicationName)
{
    CString iniPath;
    EXPECT_TRUE(::IniPathFor(Text(currentDirectory), applicationName, iniPath));
    return Str(iniPath);
}

std::size_t FindLastSeparator(const std::string& text, const char* separators, LeadByteTest isLeadByte)
{
    return ::FindLastSeparator(text.data(), text.size(), separators, isLeadByte);
}

}  // namespace

// The file name without directory and last extension, after any of the
// separators, cut at the last dot even in a directory.
TEST(ApplicationName, IsTheFileNameWithoutDirectoryAndExtension)
{
    const std::pair<const char*, const char*> cases[] = {
        {"D:\\TOLVAN.EXE", "TOLVAN"},          {"E:\\Install\\Disk1\\SETUP.EXE", "SETUP"},
        {"C:\\Setup.exe", "Setup"},            {"E:\\Install\\my.setup.exe", "my.setup"},
        {"\\\\server\\share/INSTALL.EXE", "INSTALL"}, {"A:INSTALL.EXE", "INSTALL"},
        {"INSTALL.EXE", "INSTALL"},            {"C:\\my.dir\\SETUP", "my"},
        {"D:\\XTRA\\MAXIMAL.EXE", "MAXIMAL"},
    };
    for (const auto& [modulePath, name] : cases)
        EXPECT_EQ(name, ApplicationNameFromModulePath(modulePath)) << modulePath;
}

TEST(HelpPath, ReplacesTheExtensionWithHlp)
{
    EXPECT_EQ("D:\\TOLVAN.HLP", HelpPathFromModulePath("D:\\TOLVAN.EXE"));
    EXPECT_EQ("E:\\Install\\my.setup.HLP", HelpPathFromModulePath("E:\\Install\\my.setup.exe"));
    EXPECT_EQ("C:\\SETUP.HLP", HelpPathFromModulePath("C:\\SETUP"));
}

// No separator is added at a drive root, and none without a directory;
// four characters are more than a root.
TEST(IniPath, JoinsTheCurrentDirectoryAndTheApplicationName)
{
    EXPECT_EQ("D:\\SETUP\\TOLVAN.ini", IniPathFor("D:\\SETUP", "TOLVAN"));
    EXPECT_EQ("E:\\Install\\Disk1\\my.setup.ini", IniPathFor("E:\\Install\\Disk1", "my.setup"));
    EXPECT_EQ("D:\\TOLVAN.ini", IniPathFor("D:\\", "TOLVAN"));
    EXPECT_EQ("D:\\A\\TOLVAN.ini", IniPathFor("D:\\A", "TOLVAN"));
    EXPECT_EQ("TOLVAN.ini", IniPathFor("", "TOLVAN"));
}

TEST(DoubleBytePaths, ASeparatorByteInsideACharacterDoesNotSplitTheName)
{
    EXPECT_EQ(kSoftwareName, ApplicationNameFromModulePath("C:\\Media\\" + kSoftwareName + ".EXE", &IsShiftJisLeadByte));
    EXPECT_EQ(kSoftwareName, ApplicationNameFromModulePath(kSoftwareName + ".EXE", &IsShiftJisLeadByte));
    // A folder whose name ends in such a character is still a folder.
    EXPECT_EQ("SETUP", ApplicationNameFromModulePath("C:\\" + kSoftwareName + "\\SETUP.EXE", &IsShiftJisLeadByte));
    EXPECT_EQ("C:\\" + kSoftwareName + "\\" + kSoftwareName + ".HLP",
              HelpPathFromModulePath("C:\\" + kSoftwareName + "\\" + kSoftwareName + ".EXE", &IsShiftJisLeadByte));
    // Read byte by byte, the same path loses its first character.
    EXPECT_EQ("\x83\x74\x83\x67", ApplicationNameFromModulePath("C:\\" + kSoftwareName + ".EXE"));
}

TEST(DoubleBytePaths, ATrailByteIsNeverASeparatorAndALastLeadByteStandsAlone)
{
    EXPECT_EQ(kNoSeparator, FindLastSeparator("AB\x83\\", "\\", &IsShiftJisLeadByte));
    EXPECT_EQ(3u, FindLastSeparator("AB\x83\\", "\\", nullptr));
    EXPECT_EQ(2u, FindLastSeparator("AB\\\x83", "\\", &IsShiftJisLeadByte));
}
