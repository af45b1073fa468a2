#include "config/Paths.h"

#include <gtest/gtest.h>

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
