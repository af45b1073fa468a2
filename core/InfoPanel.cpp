#include "core/InfoPanel.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>

#include "core/Messages.h"

InfoPanelContent ReadInfoPanel(const std::string& infoFile, InfoFileReader& file)
{
    InfoPanelContent content;
    if (infoFile.empty())
        return content;
    content.filled = true;

    int cause = 0;
    if (!file.Open(infoFile, cause)) {
        content.text = InfoOpenFailedMessage(infoFile, cause);
        return content;
    }

    try {
        content.text.reserve(file.SizeHint());
    } catch (const std::bad_alloc&) {
        // Only a hint: room that cannot be had at once is left to growth.
    } catch (const std::length_error&) {
    }
    char buffer[kInfoChunkSize + 1];
    std::size_t count = 0;
    do {
        count = std::min(file.Read(buffer, kInfoChunkSize), kInfoChunkSize);
        buffer[count] = '\0';
        // A zero byte ends what this chunk adds; the next chunk adds as usual.
        const std::size_t length = std::strlen(buffer);
        // A text longer than a string can be is as much too large to hold
        // as one whose memory cannot be had.
        if (length > content.text.max_size() - content.text.size())
            throw std::bad_alloc();
        content.text.append(buffer, length);
    } while (count == kInfoChunkSize);
    file.Close();

    content.accept = content.text.rfind(kAgreementOpening, 0) == 0;
    return content;
}
