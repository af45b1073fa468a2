#include "core/InfoPanel.h"

#include <cstring>

#include "core/Messages.h"

InfoPanelContent ReadInfoPanel(const CString& infoFile, InfoFileReader& file)
{
    using Outcome = InfoPanelContent::Outcome;
    InfoPanelContent content;
    if (infoFile.IsEmpty())
        return content;
    // The panel stays empty, and what could not be held is given back.
    const auto fail = [&content](Outcome outcome, int cause) {
        content.text.Empty();
        content.outcome = outcome;
        content.cause = cause;
    };

    int cause = 0;
    if (!file.Open(infoFile, cause)) {
        if (InfoOpenFailedMessage(infoFile, cause, content.text)) {
            content.outcome = Outcome::OpenFailed;
            content.cause = cause;
        } else {
            fail(Outcome::TooLarge, 0);
        }
        return content;
    }

    // Only a hint: room that cannot be had at once is left to growth.
    (void)content.text.Preallocate(file.SizeHint());
    char buffer[kInfoChunkSize + 1];
    std::size_t count = 0;
    do {
        if (!file.Read(buffer, kInfoChunkSize, count, cause)) {
            fail(Outcome::ReadFailed, cause);
            return content;
        }
        if (count > kInfoChunkSize)
            count = kInfoChunkSize;
        buffer[count] = '\0';
        // A zero byte ends what this chunk adds; the next chunk adds as usual.
        if (!content.text.Append(buffer, std::strlen(buffer))) {
            fail(Outcome::TooLarge, 0);
            return content;
        }
    } while (count == kInfoChunkSize);
    if (!file.Close(cause)) {
        fail(Outcome::ReadFailed, cause);
        return content;
    }

    content.outcome = Outcome::Filled;
    content.accept = content.text.StartsWith(kAgreementOpening);
    return content;
}
