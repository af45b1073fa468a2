#include "core/FileError.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/CountedText.h"

namespace {

std::string Message(int cause, const char* fileName)
{
    CString message;
    EXPECT_TRUE(FileErrorMessage(cause, fileName, message));
    return Str(message);
}

}  // namespace

TEST(FileErrorCause, TranslatesEveryListedCode)
{
    const std::map<int, std::vector<long>> listed = {
        {0, {0}},
        {2, {2, 6, 18, 107}},
        {3, {3, 15, 17, 34, 52, 53, 55, 67, 70, 85, 111, 123, 124, 125, 144, 154, 161, 206, 208, 267}},
        {4, {4, 36, 68, 113}},
        {5, {5, 12, 19, 29, 54, 58, 64, 65, 71, 80, 82, 86, 170, 183, 999}},
        {6, {11, 26, 60, 66, 114, 182, 191, 193}},
        {7, {16, 145}},
        {8, {62}},
        {9, {24, 25, 27, 30, 131, 132}},
        {10, {20, 21, 22, 23, 57, 59, 88, 117, 995, 996, 997}},
        {11, {32}},
        {12, {33, 108, 167}},
        {13, {39, 112}},
        {14, {38}},
    };
    for (const auto& [cause, codes] : listed) {
        for (long code : codes)
            EXPECT_EQ(cause, FileErrorCauseFor(code)) << "code " << code;
    }
}

TEST(FileErrorCause, GivesTheGenericCauseToEveryOtherCode)
{
    for (long code : {1L, 7L, 8L, 9L, 10L, 13L, 14L, 28L, 31L, 35L, 37L, 56L, 61L, 63L, 69L, 87L, 109L, 1000L, -1L})
        EXPECT_EQ(1, FileErrorCauseFor(code)) << "code " << code;
}

TEST(FileErrorMessage, NamesTheFileInTheTextOfEachCause)
{
    const std::vector<std::string> texts = {
        "No error occurred.",
        "An unknown error occurred while accessing D:\\INFO.TXT.",
        "D:\\INFO.TXT was not found.",
        "D:\\INFO.TXT contains an invalid path.",
        "D:\\INFO.TXT could not be opened because there are too many open files.",
        "Access to D:\\INFO.TXT was denied.",
        "An invalid file handle was associated with D:\\INFO.TXT.",
        "D:\\INFO.TXT could not be removed because it is the current directory.",
        "D:\\INFO.TXT could not be created because the directory is full.",
        "Seek failed on D:\\INFO.TXT",
        "A hardware I/O error was reported while accessing D:\\INFO.TXT.",
        "A sharing violation occurred while accessing D:\\INFO.TXT.",
        "A locking violation occurred while accessing D:\\INFO.TXT.",
        "Disk full while accessing D:\\INFO.TXT.",
        "An attempt was made to access D:\\INFO.TXT past its end.",
    };
    for (int cause = 0; cause < static_cast<int>(texts.size()); ++cause)
        EXPECT_EQ(texts[cause], Message(cause, "D:\\INFO.TXT")) << "cause " << cause;
}

TEST(FileErrorMessage, CallsAFileWithoutANameAnUnnamedFile)
{
    EXPECT_EQ("A hardware I/O error was reported while accessing an unnamed file.", Message(10, ""));
    EXPECT_EQ("An unknown error occurred while accessing an unnamed file.", Message(1, ""));
    EXPECT_EQ("Seek failed on an unnamed file", Message(9, ""));
}
