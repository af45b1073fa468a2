#pragma once

#include <cstddef>
#include <string>

// The file is read in chunks of this size into a buffer one byte larger,
// which keeps each chunk zero-terminated: a zero byte ends what its chunk
// adds.
inline constexpr std::size_t kInfoChunkSize = 49;

// The opening of a text that turns OK into "Accept", compared byte for byte.
inline constexpr char kAgreementOpening[] = "END USER";

// The label of OK for an agreement.
inline constexpr char kAcceptLabel[] = "Accept";

// What filling the information panel asks of the file it reads.
class InfoFileReader {
public:
    virtual ~InfoFileReader() = default;

    // Opens the file for reading; false, with the file-error cause, when it
    // cannot be opened.
    virtual bool Open(const std::string& name, int& cause) = 0;

    // Reads up to count bytes: fewer only at the end of the file. A failure
    // throws.
    virtual std::size_t Read(char* buffer, std::size_t count) = 0;

    // Closes the file. A failure throws.
    virtual void Close() = 0;

    // The file's size when it is known before reading, else 0; the text
    // makes room for it at once instead of growing chunk by chunk.
    virtual std::size_t SizeHint() { return 0; }
};

struct InfoPanelContent {
    bool filled = false;  // false: the panel keeps the template's empty text
    std::string text;
    bool accept = false;  // OK is relabelled "Accept"
};

// Reads the information text file named by infoFile, whole, for the panel.
// A text that begins with "END USER" turns OK into "Accept"; a file that
// cannot be opened gives a line naming it and the cause instead. A text
// too large to hold throws std::bad_alloc, as a failed read throws its
// file error: either leaves the panel empty.
InfoPanelContent ReadInfoPanel(const std::string& infoFile, InfoFileReader& file);
