#include "core/FileError.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/CountedText.h"

// Each cause with the text the user reads for D:\INFO.TXT and the
// operating-system codes that give it; every code not listed gives cause 1.
TEST(FileError, EachCodeHasItsCauseAndEachCauseItsText)
{
    const struct {
        int cause;
        std::string text;
        std::vector<long> codes;
    } causes[] = {
        {0, "No error occurred.", {0}},
        {1, "An unknown error occurred while accessing D:\\INFO.TXT.",
         {1, 7, 8, 9, 10, 13, 14, 28, 31, 35, 37, 56, 61, 63, 69, 87, 109, 1000, -1}},
        {2, "D:\\INFO.TXT was not found.", {2, 6, 18, 107}},
        {3, "D:\\INFO.TXT contains an invalid path.",
         {3, 15, 17, 34, 52, 53, 55, 67, 70, 85, 111, 123, 124, 125, 144, 154, 161, 206, 208, 267}},
        {4, "D:\\INFO.TXT could not be opened because there are too many open files.", {4, 36, 68, 113}},
        {5, "Access to D:\\INFO.TXT was denied.", {5, 12, 19, 29, 54, 58, 64, 65, 71, 80, 82, 86, 170, 183, 999}},
        {6, "An invalid file handle was associated with D:\\INFO.TXT.", {11, 26, 60, 66, 114, 182, 191, 193}},
        {7, "D:\\INFO.TXT could not be removed because it is the current directory.", {16, 145}},
        {8, "D:\\INFO.TXT could not be created because the directory is full.", {62}},
        {9, "Seek failed on D:\\INFO.TXT", {24, 25, 27, 30, 131, 132}},
        {10, "A hardware I/O error was reported while accessing D:\\INFO.TXT.",
         {20, 21, 22, 23, 57, 59, 88, 117, 995, 996, 997}},
        {11, "A sharing violation occurred while accessing D:\\INFO.TXT.", {32}},
        {12, "A locking violation occurred while accessing D:\\INFO.TXT.", {33, 108, 167}},
        {13, "Disk full while accessing D:\\INFO.TXT.", {39, 112}},
        {14, "An attempt was made to access D:\\INFO.TXT past its end.", {38}},
    };
    const std::string name = "D:\\INFO.TXT";
    for (const auto& c : causes) {
        for (long code : c.codes)
            EXPECT_EQ(c.cause, FileErrorCauseFor(code)) << "code " << code;
        CString message;
        ASSERT_TRUE(FileErrorMessage(c.cause, name.c_str(), message));
        EXPECT_EQ(c.text, Str(message)) << "cause " << c.cause;
        // Without a name the file is "an unnamed file".
        std::string unnamed = c.text;
        if (unnamed.find(name) != std::string::npos)
            unnamed.replace(unnamed.find(name), name.size(), "an unnamed file");
        ASSERT_TRUE(FileErrorMessage(c.cause, "", message));
        EXPECT_EQ(unnamed, Str(message)) << "cause " << c.cause << " without a name";
    }
}
