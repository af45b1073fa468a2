#include "core/InfoPanel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "tests/CountedText.h"

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

TEST(InfoPanel, AZeroByteDropsOnlyTheRestOfItsChunk)
{
    std::string bytes(60, 'x');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>('A' + i % 26);
    bytes[10] = '\0';
    ScriptedFile file(bytes);
    EXPECT_EQ(bytes.substr(0, 10) + bytes.substr(49, 11), Str(Fill(file).text));
}

TEST(InfoPanel, EndUserTurnsOkIntoAccept)
{
    const std::vector<std::pair<std::string, bool>> cases = {
        {"END USERS AGREEMENT\r\nText", true},
        {"END USER", true},
        {"end user agreement", false},
        {"END-USER AGREEMENT", false},
        {" END USER AGREEMENT", false},
        {"END USE", false},
        {"\xEF\xBB\xBF" "END USER AGREEMENT", false},
        {"", false},
        // The test is made on the text as assembled: the first chunk adds
        // nothing, the second begins the text.
        {std::string(1, '\0') + std::string(48, '-') + "END USER AGREEMENT", true},
    };
    for (const auto& [bytes, accept] : cases) {
        ScriptedFile file(bytes);
        const InfoPanelContent content = Fill(file);
        EXPECT_EQ(accept, content.accept) << bytes;
    }
}

TEST(InfoPanel, ShowsABomAndOtherBytesAsTheyAre)
{
    const std::string bytes = "\xEF\xBB\xBF" "Caf\xE9\r\n\tline two\n%s %d";
    ScriptedFile file(bytes);
    EXPECT_EQ(bytes, Str(Fill(file).text));
}

TEST(InfoPanel, AFileThatCannotBeOpenedIsNamedWithItsCause)
{
    ScriptedFile missing("");
    missing.openCause = 2;
    InfoPanelContent content = Fill(missing, "license.txt");
    EXPECT_EQ(Outcome::OpenFailed, content.outcome);
    EXPECT_EQ(2, content.cause);
    EXPECT_FALSE(content.accept);
    EXPECT_EQ("Can't open file license.txt, error = 2", content.text);

    ScriptedFile shared("END USER");
    shared.openCause = 11;
    content = Fill(shared, "sub\\info.txt");
    EXPECT_EQ("Can't open file sub\\info.txt, error = 11", content.text);
    EXPECT_FALSE(content.accept);
    EXPECT_TRUE(shared.reads.empty());
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
