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

bool FileErrorMessage(int cause, const char* fileName, CString& message)
{
    const char* name = fileName && *fileName ? fileName : "an unnamed file";
    message.Empty();
    switch (cause) {
    case kNoError:
        return message.Append("No error occurred.");
    case kFileNotFound:
        return message.Append({name, " was not found."});
    case kBadPath:
        return message.Append({name, " contains an invalid path."});
    case kTooManyOpenFiles:
        return message.Append({name, " could not be opened because there are too many open files."});
    case kAccessDenied:
        return message.Append({"Access to ", name, " was denied."});
    case kInvalidFile:
        return message.Append({"An invalid file handle was associated with ", name, "."});
    case kRemoveCurrentDirectory:
        return message.Append({name, " could not be removed because it is the current directory."});
    case kDirectoryFull:
        return message.Append({name, " could not be created because the directory is full."});
    case kBadSeek:
        return message.Append({"Seek failed on ", name});
    case kHardIO:
        return message.Append({"A hardware I/O error was reported while accessing ", name, "."});
    case kSharingViolation:
        return message.Append({"A sharing violation occurred while accessing ", name, "."});
    case kLockViolation:
        return message.Append({"A locking violation occurred while accessing ", name, "."});
    case kDiskFull:
        return message.Append({"Disk full while accessing ", name, "."});
    case kEndOfFile:
        return message.Append({"An attempt was made to access ", name, " past its end."});
    default:
        return message.Append({"An unknown error occurred while accessing ", name, "."});
    }
}
