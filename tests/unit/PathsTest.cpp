#include "core/Paths.h"

#include <gtest/gtest.h>

#include <string>

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

TEST(ApplicationName, IsTheFileNameWithoutDirectoryAndExtension)
{
    EXPECT_EQ("TOLVAN", ApplicationNameFromModulePath("D:\\TOLVAN.EXE"));
    EXPECT_EQ("SETUP", ApplicationNameFromModulePath("E:\\Install\\Disk1\\SETUP.EXE"));
    EXPECT_EQ("Setup", ApplicationNameFromModulePath("C:\\Setup.exe"));
}

TEST(ApplicationName, LosesOnlyTheLastExtension)
{
    EXPECT_EQ("my.setup", ApplicationNameFromModulePath("E:\\Install\\my.setup.exe"));
}

TEST(ApplicationName, TakesTheTextAfterAnyOfTheSeparators)
{
    EXPECT_EQ("INSTALL", ApplicationNameFromModulePath("\\\\server\\share/INSTALL.EXE"));
    EXPECT_EQ("INSTALL", ApplicationNameFromModulePath("A:INSTALL.EXE"));
    EXPECT_EQ("INSTALL", ApplicationNameFromModulePath("INSTALL.EXE"));
}

TEST(ApplicationName, CutsAtTheLastDotEvenInADirectory)
{
    EXPECT_EQ("my", ApplicationNameFromModulePath("C:\\my.dir\\SETUP"));
}

TEST(HelpPath, ReplacesTheExtensionWithHlp)
{
    EXPECT_EQ("D:\\TOLVAN.HLP", HelpPathFromModulePath("D:\\TOLVAN.EXE"));
    EXPECT_EQ("E:\\Install\\my.setup.HLP", HelpPathFromModulePath("E:\\Install\\my.setup.exe"));
    EXPECT_EQ("C:\\SETUP.HLP", HelpPathFromModulePath("C:\\SETUP"));
}

TEST(IniPath, JoinsTheCurrentDirectoryAndTheApplicationName)
{
    EXPECT_EQ("D:\\SETUP\\TOLVAN.ini", IniPathFor("D:\\SETUP", "TOLVAN"));
    EXPECT_EQ("E:\\Install\\Disk1\\my.setup.ini", IniPathFor("E:\\Install\\Disk1", "my.setup"));
}

TEST(IniPath, AddsNoSeparatorAtADriveRoot)
{
    EXPECT_EQ("D:\\TOLVAN.ini", IniPathFor("D:\\", "TOLVAN"));
    // Four characters are more than a root: the separator follows.
    EXPECT_EQ("D:\\A\\TOLVAN.ini", IniPathFor("D:\\A", "TOLVAN"));
}

TEST(IniPath, IsTheBareFileNameWithoutADirectory)
{
    EXPECT_EQ("TOLVAN.ini", IniPathFor("", "TOLVAN"));
}

namespace {

// Code page 932: 0x81-0x9F and 0xE0-0xFC open a two-byte character.
bool IsShiftJisLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// "ソフト": its first character ends in the byte 0x5C, as "\" does.
const std::string kSoftware = "\x83\x5C\x83\x74\x83\x67";

}  // namespace

TEST(DoubleBytePaths, ASeparatorByteInsideACharacterDoesNotSplitTheName)
{
    EXPECT_EQ(kSoftware, ApplicationNameFromModulePath("C:\\Media\\" + kSoftware + ".EXE", &IsShiftJisLeadByte));
    EXPECT_EQ(kSoftware, ApplicationNameFromModulePath(kSoftware + ".EXE", &IsShiftJisLeadByte));
    // A folder whose name ends in such a character is still a folder.
    EXPECT_EQ("SETUP", ApplicationNameFromModulePath("C:\\" + kSoftware + "\\SETUP.EXE", &IsShiftJisLeadByte));
    EXPECT_EQ("C:\\" + kSoftware + "\\" + kSoftware + ".HLP",
              HelpPathFromModulePath("C:\\" + kSoftware + "\\" + kSoftware + ".EXE", &IsShiftJisLeadByte));
    // Read byte by byte, the same path loses its first character.
    EXPECT_EQ("\x83\x74\x83\x67", ApplicationNameFromModulePath("C:\\" + kSoftware + ".EXE"));
}

TEST(DoubleBytePaths, ATrailByteIsNeverASeparatorAndALastLeadByteStandsAlone)
{
    EXPECT_EQ(kNoSeparator, FindLastSeparator("AB\x83\\", "\\", &IsShiftJisLeadByte));
    EXPECT_EQ(3u, FindLastSeparator("AB\x83\\", "\\", nullptr));
    EXPECT_EQ(2u, FindLastSeparator("AB\\\x83", "\\", &IsShiftJisLeadByte));
}
