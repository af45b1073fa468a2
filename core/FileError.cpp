#include "core/FileError.h"

namespace {

struct CauseOfError {
    long osError;
    int cause;
};

constexpr CauseOfError kCauses[] = {
    {0, kNoError},
    {2, kFileNotFound}, {6, kFileNotFound}, {18, kFileNotFound}, {107, kFileNotFound},
    {3, kBadPath}, {15, kBadPath}, {17, kBadPath}, {34, kBadPath}, {52, kBadPath}, {53, kBadPath},
    {55, kBadPath}, {67, kBadPath}, {70, kBadPath}, {85, kBadPath}, {111, kBadPath}, {123, kBadPath},
    {124, kBadPath}, {125, kBadPath}, {144, kBadPath}, {154, kBadPath}, {161, kBadPath}, {206, kBadPath},
    {208, kBadPath}, {267, kBadPath},
    {4, kTooManyOpenFiles}, {36, kTooManyOpenFiles}, {68, kTooManyOpenFiles}, {113, kTooManyOpenFiles},
    {5, kAccessDenied}, {12, kAccessDenied}, {19, kAccessDenied}, {29, kAccessDenied}, {54, kAccessDenied},
    {58, kAccessDenied}, {64, kAccessDenied}, {65, kAccessDenied}, {71, kAccessDenied}, {80, kAccessDenied},
    {82, kAccessDenied}, {86, kAccessDenied}, {170, kAccessDenied}, {183, kAccessDenied}, {999, kAccessDenied},
    {11, kInvalidFile}, {26, kInvalidFile}, {60, kInvalidFile}, {66, kInvalidFile}, {114, kInvalidFile},
    {182, kInvalidFile}, {191, kInvalidFile}, {193, kInvalidFile},
    {16, kRemoveCurrentDirectory}, {145, kRemoveCurrentDirectory},
    {62, kDirectoryFull},
    {24, kBadSeek}, {25, kBadSeek}, {27, kBadSeek}, {30, kBadSeek}, {131, kBadSeek}, {132, kBadSeek},
    {20, kHardIO}, {21, kHardIO}, {22, kHardIO}, {23, kHardIO}, {57, kHardIO}, {59, kHardIO}, {88, kHardIO},
    {117, kHardIO}, {995, kHardIO}, {996, kHardIO}, {997, kHardIO},
    {32, kSharingViolation},
    {33, kLockViolation}, {108, kLockViolation}, {167, kLockViolation},
    {39, kDiskFull}, {112, kDiskFull},
    {38, kEndOfFile},
};

}  // namespace

int FileErrorCauseFor(long osError)
{
    for (const CauseOfError& entry : kCauses) {
        if (entry.osError == osError)
            return entry.cause;
    }
    return kGenericError;
}

std::string FileErrorMessage(int cause, const std::string& fileName)
{
    const std::string name = fileName.empty() ? std::string("an unnamed file") : fileName;
    switch (cause) {
    case kNoError:
        return "No error occurred.";
    case kFileNotFound:
        return name + " was not found.";
    case kBadPath:
        return name + " contains an invalid path.";
    case kTooManyOpenFiles:
        return name + " could not be opened because there are too many open files.";
    case kAccessDenied:
        return "Access to " + name + " was denied.";
    case kInvalidFile:
        return "An invalid file handle was associated with " + name + ".";
    case kRemoveCurrentDirectory:
        return name + " could not be removed because it is the current directory.";
    case kDirectoryFull:
        return name + " could not be created because the directory is full.";
    case kBadSeek:
        return "Seek failed on " + name;
    case kHardIO:
        return "A hardware I/O error was reported while accessing " + name + ".";
    case kSharingViolation:
        return "A sharing violation occurred while accessing " + name + ".";
    case kLockViolation:
        return "A locking violation occurred while accessing " + name + ".";
    case kDiskFull:
        return "Disk full while accessing " + name + ".";
    case kEndOfFile:
        return "An attempt was made to access " + name + " past its end.";
    default:
        return "An unknown error occurred while accessing " + name + ".";
    }
}
