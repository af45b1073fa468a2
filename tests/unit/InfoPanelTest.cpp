#include "core/InfoPanel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "tests/CountedText.h"
#include "tests/ExpectedTexts.h"

namespace {

// A file played back from memory, which writes down how it was used and
// can fail an open, a read or the close.
class ScriptedFile : public InfoFileReader {
public:
    explicit ScriptedFile(std::string bytes) : bytes_(std::move(bytes)) {}

    int openCause = 0;              // non-zero: the open fails with it
    int failingRead = -1;           // the read (from 0) that fails with cause 10
    bool closeFails = false;        // with cause 13
    std::vector<std::size_t> reads; // bytes each read gave
    std::string opened;
    bool closed = false;

    bool Open(const CString& name, int& cause) override
    {
        opened = Str(name);
        cause = openCause;
        return openCause == 0;
    }
    bool Read(char* buffer, std::size_t count, std::size_t& read, int& cause) override
    {
        if (static_cast<int>(reads.size()) == failingRead) {
            cause = 10;
            return false;
        }
        read = std::min(count, bytes_.size() - at_);
        std::memcpy(buffer, bytes_.data() + at_, read);
        at_ += read;
        reads.push_back(read);
        return true;
    }
    bool Close(int& cause) override
    {
        if (closeFails) {
            cause = 13;
            return false;
        }
        closed = true;
        return true;
    }

private:
    std::string bytes_;
    std::size_t at_ = 0;
};

InfoPanelContent Fill(ScriptedFile& file, const std::string& name = "LICENSE.TXT")
{
    return ReadInfoPanel(Text(name), file);
}

using Outcome = InfoPanelContent::Outcome;

}  // namespace

TEST(InfoPanel, WithoutAnInfoFileOpensNothing)
{
    ScriptedFile file("END USER");
    const InfoPanelContent content = Fill(file, "");
    EXPECT_EQ(Outcome::NoFile, content.outcome);
    EXPECT_FALSE(content.accept);
    EXPECT_EQ("", file.opened);
}

TEST(InfoPanel, ReadsInChunksOf49UntilAShortOne)
{
    const std::vector<std::pair<std::size_t, std::vector<std::size_t>>> cases = {
        {0, {0}},
        {1, {1}},
        {49, {49, 0}},
        {50, {49, 1}},
        {98, {49, 49, 0}},
        {1000, {49, 49, 49, 49, 49, 49, 49, 49, 49, 49, 49, 49, 49, 49, 49, 49, 49, 49, 49, 49, 20}},
    };
    for (const auto& [size, reads] : cases) {
        std::string bytes;
        for (std::size_t i = 0; i < size; ++i)
            bytes += static_cast<char>('a' + i % 26);
        ScriptedFile file(bytes);
        const InfoPanelContent content = Fill(file);
        EXPECT_EQ(reads, file.reads) << size << " bytes";
        EXPECT_EQ(bytes, Str(content.text)) << size << " bytes";
        EXPECT_EQ(Outcome::Filled, content.outcome);
        EXPECT_TRUE(file.closed);
    }
}

// The text shows every byte as it is but for a zero byte, which drops the
// rest of its 49-byte chunk; only the exact bytes "END USER" at the start
// of the text as assembled turn OK into Accept.
TEST(InfoPanel, ShowsTheBytesAndEndUserTurnsOkIntoAccept)
{
    std::string alphabet(60, 'x');
    for (std::size_t i = 0; i < alphabet.size(); ++i)
        alphabet[i] = static_cast<char>('A' + i % 26);
    std::string zeroAt10 = alphabet;
    zeroAt10[10] = '\0';
    const std::string bytes = "\xEF\xBB\xBF" "Caf\xE9\r\n\tline two\n%s %d";
    const std::string nothingFirst = std::string(1, '\0') + std::string(48, '-');
    const struct {
        std::string bytes;
        std::string text;
        bool accept;
    } cases[] = {
        {zeroAt10, alphabet.substr(0, 10) + alphabet.substr(49, 11), false},
        {bytes, bytes, false},
        {"END USERS AGREEMENT\r\nText", "END USERS AGREEMENT\r\nText", true},
        {"END USER", "END USER", true},
        {"end user agreement", "end user agreement", false},
        {"END-USER AGREEMENT", "END-USER AGREEMENT", false},
        {" END USER AGREEMENT", " END USER AGREEMENT", false},
        {"END USE", "END USE", false},
        {"\xEF\xBB\xBF" "END USER AGREEMENT", "\xEF\xBB\xBF" "END USER AGREEMENT", false},
        {"", "", false},
        // The first chunk adds nothing, the second begins the text.
        {nothingFirst + "END USER AGREEMENT", "END USER AGREEMENT", true},
    };
    for (const auto& c : cases) {
        ScriptedFile file(c.bytes);
        const InfoPanelContent content = Fill(file);
        EXPECT_EQ(c.text, Str(content.text)) << c.text;
        EXPECT_EQ(c.accept, content.accept) << c.text;
    }
}

// Cause 10, of a drive without its disk, is the one number of two digits
// that ends in 0.
TEST(InfoPanel, AFileThatCannotBeOpenedIsNamedWithItsCause)
{
    const std::pair<int, std::string> cases[] = {{2, "license.txt"}, {10, "A:\\LICENSE.TXT"}, {11, "sub\\info.txt"}};
    for (const auto& [cause, name] : cases) {
        ScriptedFile file("END USER");
        file.openCause = cause;
        const InfoPanelContent content = Fill(file, name);
        EXPECT_EQ(Outcome::OpenFailed, content.outcome);
        EXPECT_EQ(cause, content.cause);
        EXPECT_FALSE(content.accept);
        EXPECT_EQ(InfoOpenFailedText(name, cause), Str(content.text));
        EXPECT_TRUE(file.reads.empty());
    }
}

TEST(InfoPanel, AFailedReadOrCloseLeavesThePanelEmptyWithTheCause)
{
    ScriptedFile readFails(std::string(200, 'x'));
    readFails.failingRead = 2;
    InfoPanelContent content = Fill(readFails);
    EXPECT_EQ(Outcome::ReadFailed, content.outcome);
    EXPECT_EQ(10, content.cause);
    EXPECT_EQ("", content.text);
    EXPECT_EQ((std::vector<std::size_t>{49, 49}), readFails.reads);
    // The file is the reader's to close as it goes.
    EXPECT_FALSE(readFails.closed);

    ScriptedFile closeFails("END USER AGREEMENT");
    closeFails.closeFails = true;
    content = Fill(closeFails);
    EXPECT_EQ(Outcome::ReadFailed, content.outcome);
    EXPECT_EQ(13, content.cause);
    EXPECT_EQ("", content.text);
    EXPECT_FALSE(content.accept);
}
