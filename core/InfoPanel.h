#pragma once

#include <cstddef>

#include "core/Text.h"

// The file is read in chunks of this size into a buffer one byte larger,
// which keeps each chunk zero-terminated: a zero byte ends what its chunk
// adds.
inline constexpr std::size_t kInfoChunkSize = 49;

// The opening of a text that turns OK into "Accept", compared byte for byte.
inline constexpr char kAgreementOpening[] = "END USER";

// The label of OK for an agreement.
inline constexpr char kAcceptLabel[] = "Accept";

// What filling the information panel asks of the file it reads. Each call
// that can fail returns false with the file-error cause (FileError.h).
class InfoFileReader {
public:
    virtual ~InfoFileReader() = default;

    // Opens the file for reading.
    virtual bool Open(const CString& name, int& cause) = 0;

    // Reads up to count bytes into buffer, their number into read: fewer
    // only at the end of the file.
    virtual bool Read(char* buffer, std::size_t count, std::size_t& read, int& cause) = 0;

    // Closes the file.
    virtual bool Close(int& cause) = 0;

    // The file's size when it is known before reading, else 0; the text
    // makes room for it at once instead of growing chunk by chunk.
    virtual std::size_t SizeHint() { return 0; }
};

struct InfoPanelContent {
    enum class Outcome {
        NoFile,      // INFO is not set: the panel keeps the template's empty text
        Filled,      // the text is the file's
        OpenFailed,  // the text names the file and the cause of the failed open
        ReadFailed,  // a read or the close failed with cause: the panel stays empty
        TooLarge,    // the text cannot be held: the panel stays empty
    };

    Outcome outcome = Outcome::NoFile;
    CString text;
    bool accept = false;  // OK is relabelled "Accept"
    int cause = 0;        // OpenFailed and ReadFailed
};

// Reads the information text file named by infoFile, whole, for the panel.
// A text that begins with "END USER" turns OK into "Accept"; a file that
// cannot be opened gives a line naming it and the cause instead. After a
// failed read or close, or with a text too large to hold, the text is
// empty and its memory given back; the file, still open after a failed
// read, is the reader's to close.
InfoPanelContent ReadInfoPanel(const CString& infoFile, InfoFileReader& file);
