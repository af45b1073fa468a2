// The resources of the built TOLVAN.EXE, read from the file as Windows
// reads them and checked field by field.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "tests/ThisProgram.h"
#include "version.h"

namespace {

// Reads the little-endian fields of a resource in order.
class Reader {
public:
    Reader(const void* data, std::size_t size)
        : start_(static_cast<const unsigned char*>(data)), at_(start_), end_(start_ + size) {}

    template <class T>
    T Read()
    {
        T value{};
        if (at_ + sizeof value <= end_)
            std::memcpy(&value, at_, sizeof value);
        at_ += sizeof value;
        return value;
    }

    // A zero-terminated UTF-16 string of ASCII characters.
    std::string String()
    {
        std::string text;
        for (WORD c = Read<WORD>(); c != 0 && at_ <= end_; c = Read<WORD>())
            text += static_cast<char>(c);
        return text;
    }

    // A name or an ordinal: "#n" for an ordinal.
    std::string NameOrOrdinal()
    {
        const WORD first = Read<WORD>();
        if (first == 0xFFFF)
            return "#" + std::to_string(Read<WORD>());
        at_ -= sizeof first;
        return String();
    }

    void AlignToDword()
    {
        while ((at_ - start_) % 4 != 0)
            ++at_;
    }

    bool Done() const { return at_ == end_; }

private:
    const unsigned char* start_;
    const unsigned char* at_;
    const unsigned char* end_;
};

class ResourceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        module = LoadLibraryExA(BesideThisProgram("TOLVAN.EXE").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    static void TearDownTestSuite() { FreeLibrary(module); }

    // The resource's bytes in the given language; empty when it is not there.
    static std::vector<unsigned char> Resource(LPCSTR type, WORD id, WORD language)
    {
        const HRSRC found = FindResourceExA(module, type, MAKEINTRESOURCEA(id), language);
        if (!found)
            return {};
        const auto* data = static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
        return std::vector<unsigned char>(data, data + SizeofResource(module, found));
    }

    static HMODULE module;
};

HMODULE ResourceTest::module = nullptr;

constexpr WORD kUsEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
constexpr WORD kNewZealandEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_NZ);

struct DialogItem {
    DWORD style;
    short x, y, cx, cy;
    DWORD id;
    std::string windowClass;
    std::string text;

    bool operator==(const DialogItem& other) const
    {
        return style == other.style && x == other.x && y == other.y && cx == other.cx && cy == other.cy &&
               id == other.id && windowClass == other.windowClass && text == other.text;
    }
};

BOOL CALLBACK CollectType(HMODULE, LPSTR type, LONG_PTR found)
{
    reinterpret_cast<std::set<ULONG_PTR>*>(found)->insert(reinterpret_cast<ULONG_PTR>(type));
    return TRUE;
}

}  // namespace

TEST_F(ResourceTest, HoldsOnlyTheDialogTheIconAndTheVersion)
{
    ASSERT_NE(nullptr, module);
    std::set<ULONG_PTR> types;
    EnumResourceTypesA(module, &CollectType, reinterpret_cast<LONG_PTR>(&types));
    // No RT_MANIFEST (24): Windows must see no requested execution level.
    const std::set<ULONG_PTR> expected = {3, 5, 14, 16};
    EXPECT_EQ(expected, types);
}

// What the user sees of it: the frame, the caption, the font, and each
// control's class, text, place and style; the ids are the ones the code
// asks for.
TEST_F(ResourceTest, Dialog102IsTheLaunchersTemplate)
{
    const std::vector<unsigned char> bytes = Resource(MAKEINTRESOURCEA(5), 102, kUsEnglish);
    ASSERT_FALSE(bytes.empty());
    Reader in(bytes.data(), bytes.size());
    EXPECT_EQ(0xFFFF0001u, in.Read<DWORD>());   // an extended template
    in.Read<DWORD>();                           // help id
    EXPECT_EQ(0x00040000u, in.Read<DWORD>());   // WS_EX_APPWINDOW
    EXPECT_EQ(0x90C800C0u, in.Read<DWORD>());   // popup, visible, caption, system menu, modal frame, font
    const WORD itemCount = in.Read<WORD>();
    EXPECT_EQ(7, itemCount);
    EXPECT_EQ(0x00000000u, in.Read<DWORD>());   // at 0, 0
    EXPECT_EQ(0x009F0100u, in.Read<DWORD>());   // 256 by 159
    EXPECT_EQ("", in.NameOrOrdinal());           // no menu
    EXPECT_EQ("", in.NameOrOrdinal());           // the standard dialog class
    EXPECT_EQ("Tolvan", in.String());
    EXPECT_EQ(8, in.Read<WORD>());
    EXPECT_EQ(0x01000000u, in.Read<DWORD>());   // normal weight, not italic, DEFAULT_CHARSET
    EXPECT_EQ("MS Sans Serif", in.String());

    const std::vector<DialogItem> expected = {
        {0x50010001, 74, 138, 50, 14, 1, "#128", "OK"},
        {0x50010000, 130, 138, 50, 14, 2, "#128", "Cancel"},
        {0x50020001, 7, 7, 242, 9, 1001, "#130", "Title"},
        {0x50020001, 7, 19, 242, 9, 1002, "#130", "Copyright"},
        {0x50A00804, 6, 56, 243, 62, 1004, "#129", ""},
        {0x50020001, 7, 124, 242, 9, 1003, "#130", "Message1"},
        {0x50020001, 7, 36, 242, 9, 0xFFFFFFFF, "#130", "Setup.exe program for Access run-times."},
    };
    for (std::size_t i = 0; i < expected.size() && i < itemCount; ++i) {
        in.AlignToDword();
        in.Read<DWORD>();                // help id
        EXPECT_EQ(0u, in.Read<DWORD>());  // extended style
        DialogItem item{};
        item.style = in.Read<DWORD>();
        item.x = in.Read<short>();
        item.y = in.Read<short>();
        item.cx = in.Read<short>();
        item.cy = in.Read<short>();
        item.id = in.Read<DWORD>();
        item.windowClass = in.NameOrOrdinal();
        item.text = in.NameOrOrdinal();
        EXPECT_EQ(0, in.Read<WORD>());  // no creation data
        EXPECT_TRUE(expected[i] == item) << "control " << i + 1 << ": \"" << item.text << "\", id " << item.id;
    }
    EXPECT_TRUE(in.Done());
}

TEST_F(ResourceTest, Icon128IsOne32By32SixteenColourImage)
{
    const std::vector<unsigned char> group = Resource(MAKEINTRESOURCEA(14), 128, kNewZealandEnglish);
    ASSERT_EQ(6u + 14u, group.size());
    Reader in(group.data(), group.size());
    EXPECT_EQ(0, in.Read<WORD>());
    EXPECT_EQ(1, in.Read<WORD>());   // icons
    EXPECT_EQ(1, in.Read<WORD>());   // one image
    EXPECT_EQ(32, in.Read<BYTE>());
    EXPECT_EQ(32, in.Read<BYTE>());
    EXPECT_EQ(16, in.Read<BYTE>());  // colours
    EXPECT_EQ(0, in.Read<BYTE>());
    EXPECT_EQ(1, in.Read<WORD>());   // planes
    EXPECT_EQ(4, in.Read<WORD>());   // bits per pixel
    EXPECT_EQ(744u, in.Read<DWORD>());
    EXPECT_EQ(1, in.Read<WORD>());   // image resource 1

    const std::vector<unsigned char> image = Resource(MAKEINTRESOURCEA(3), 1, kNewZealandEnglish);
    ASSERT_EQ(744u, image.size());
    Reader header(image.data(), image.size());
    EXPECT_EQ(40u, header.Read<DWORD>());
    EXPECT_EQ(32, header.Read<LONG>());
    EXPECT_EQ(64, header.Read<LONG>());  // image and mask
    EXPECT_EQ(1, header.Read<WORD>());
    EXPECT_EQ(4, header.Read<WORD>());
    EXPECT_EQ(0u, header.Read<DWORD>()); // uncompressed
}

TEST_F(ResourceTest, TheVersionBlockNamesTheSetupSwitchingApplication)
{
    EXPECT_FALSE(Resource(MAKEINTRESOURCEA(16), 1, kUsEnglish).empty());
    const std::string file = BesideThisProgram("TOLVAN.EXE");
    const DWORD size = GetFileVersionInfoSizeA(file.c_str(), nullptr);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(file.c_str(), 0, size, info.data()));

    // The project's version, as CMakeLists.txt gives it, in the strings and
    // in the fixed part that Windows compares.
    const std::string version = std::to_string(TOLVAN_VERSION_MAJOR) + "." + std::to_string(TOLVAN_VERSION_MINOR);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(version,
              std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionMS)));
    EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS);
    EXPECT_EQ(fixed->dwFileVersionLS, fixed->dwProductVersionLS);
    EXPECT_EQ(static_cast<DWORD>(VFT_APP), fixed->dwFileType);
    EXPECT_EQ(0u, fixed->dwFileDateMS | fixed->dwFileDateLS);

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(4u, length);
    EXPECT_EQ(0x0409, translation[0]);
    EXPECT_EQ(0x04B0, translation[1]);

    const std::vector<std::pair<std::string, std::string>> strings = {
        {"CompanyName", ""},
        {"FileDescription", "SETUP Switching Application"},
        {"FileVersion", version},
        {"InternalName", "TOLVAN"},
        {"LegalCopyright", "Copyright (C) 2026 The TOLVAN developers"},
        {"OriginalFilename", "TOLVAN.EXE"},
        {"ProductName", "TOLVAN Application"},
        {"ProductVersion", version},
    };
    for (const auto& [key, value] : strings) {
        char* text = nullptr;
        const std::string path = "\\StringFileInfo\\040904b0\\" + key;
        ASSERT_TRUE(VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&text), &length)) << key;
        EXPECT_EQ(value, std::string(text)) << key;
    }
}
