// The resources of each module read back through the module handle: the about
// box template field by field, the string table, the version record and the
// two icon images.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "module_table.h"
#include "product_files.h"

namespace qx::test {
namespace {

// How a template writes an ordinal in place of a name.
std::string Ordinal(WORD value) {
    char text[8];
    wsprintfA(text, "#%u", value);
    return text;
}

// Walks a DLGTEMPLATE / DLGITEMTEMPLATE stream.
class TemplateReader {
public:
    explicit TemplateReader(const BYTE* data) : p_(data) {}
    DWORD Dword() {
        DWORD v;
        std::memcpy(&v, p_, 4);
        p_ += 4;
        return v;
    }
    WORD Word() {
        WORD v;
        std::memcpy(&v, p_, 2);
        p_ += 2;
        return v;
    }
    short Short() { return static_cast<short>(Word()); }
    // A name or ordinal field: "#<n>" for an ordinal, the text otherwise.
    std::string NameOrOrdinal() {
        WORD first = Word();
        if (first == 0xFFFF) return Ordinal(Word());
        std::string text;
        for (WORD c = first; c != 0; c = Word()) text += static_cast<char>(c);
        return text;
    }
    void AlignDword(const BYTE* base) {
        while ((p_ - base) % 4 != 0) ++p_;
    }

private:
    const BYTE* p_;
};

struct Control {
    DWORD style;
    short x, y, cx, cy;
    WORD id;
    std::string windowClass, text;
    bool operator==(const Control&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Control& c) {
    return out << c.windowClass << " id " << c.id << " '" << c.text << "' at " << c.x << ","
               << c.y << " " << c.cx << "x" << c.cy << " style 0x" << std::hex << c.style
               << std::dec;
}

class Resources : public ::testing::TestWithParam<ModuleFacts> {
protected:
    void SetUp() override {
        module_ = std::make_unique<ResourceModule>(path());
        ASSERT_NE(module_->Handle(), nullptr) << path();
    }
    std::string path() const { return ProductModulePath(GetParam().name); }
    const BYTE* Resource(LPCSTR name, LPCSTR type) {
        HRSRC found = FindResourceExA(module_->Handle(), type, name,
                                      MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
        if (found == nullptr) return nullptr;
        return static_cast<const BYTE*>(LockResource(LoadResource(module_->Handle(), found)));
    }
    std::unique_ptr<ResourceModule> module_;
};

TEST_P(Resources, AboutBoxTemplateIsExact) {
    const ModuleFacts& facts = GetParam();
    const BYTE* base = Resource(MAKEINTRESOURCEA(2), RT_DIALOG);
    ASSERT_NE(base, nullptr);
    TemplateReader in(base);
    EXPECT_EQ(in.Dword(), 0x80C800C0u) << "style";
    EXPECT_EQ(in.Dword(), 0u) << "extended style";
    WORD count = in.Word();
    EXPECT_EQ(in.Short(), 0);
    EXPECT_EQ(in.Short(), 0);
    EXPECT_EQ(in.Short(), 154);
    EXPECT_EQ(in.Short(), 106);
    EXPECT_EQ(in.NameOrOrdinal(), "") << "menu";
    EXPECT_EQ(in.NameOrOrdinal(), "") << "class";
    EXPECT_EQ(in.NameOrOrdinal(), "About");
    EXPECT_EQ(in.Word(), 8) << "point size";
    EXPECT_EQ(in.NameOrOrdinal(), "MS Sans Serif");

    constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
    const std::string icon = Ordinal(static_cast<WORD>(facts.iconId));
    const std::vector<Control> expected = {
        {kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 51, 85, 50, 14, IDOK, "#128", "OK"},
        {kChild | BS_GROUPBOX, 7, 7, 140, 72, 0xFFFF, "#128", facts.aboutTitle},
        {kChild | SS_ICON, 66, 23, 20, 20, 0xFFFF, "#130", icon},
        {kChild | WS_GROUP | SS_LEFT, 37, 69, 82, 8, 0xFFFF, "#130", "Copyright Tarnwell"},
        {kChild | WS_GROUP | SS_LEFT, 63, 47, 36, 8, 0xFFFF, "#130", "Version 1.0"},
    };
    ASSERT_EQ(count, expected.size());
    for (const Control& want : expected) {
        in.AlignDword(base);
        Control got{};
        got.style = in.Dword();
        EXPECT_EQ(in.Dword(), 0u) << "extended style of " << want;
        got.x = in.Short();
        got.y = in.Short();
        got.cx = in.Short();
        got.cy = in.Short();
        got.id = in.Word();
        got.windowClass = in.NameOrOrdinal();
        got.text = in.NameOrOrdinal();
        EXPECT_EQ(in.Word(), 0) << "creation data of " << want;
        EXPECT_EQ(got, want);
    }
}

TEST_P(Resources, StringTableHoldsEveryText) {
    for (const auto& [id, text] : GetParam().strings) {
        char buffer[1024] = {};
        LoadStringA(module_->Handle(), id, buffer, sizeof buffer);
        EXPECT_EQ(std::string(buffer), text) << "string " << id;
    }
}

TEST_P(Resources, VersionRecordIs390FromTarnwell) {
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(path().c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> data(size);
    ASSERT_TRUE(GetFileVersionInfoA(path().c_str(), 0, size, data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00030009u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00030009u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    EXPECT_EQ(translation[0], 0x0409);
    char* company = nullptr;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\StringFileInfo\\040904E4\\CompanyName",
                               reinterpret_cast<void**>(&company), &length));
    EXPECT_STREQ(company, "Tarnwell");
}

#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width, height, colourCount, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST_P(Resources, IconHoldsA16And256ColourImage) {
    const BYTE* group = Resource(MAKEINTRESOURCEA(GetParam().iconId), RT_GROUP_ICON);
    ASSERT_NE(group, nullptr) << "icon resource " << GetParam().iconId;
    WORD header[3];
    std::memcpy(header, group, sizeof header);
    EXPECT_EQ(header[1], 1) << "an icon, not a cursor";
    ASSERT_EQ(header[2], 2) << "two images";
    std::vector<WORD> bitCounts;
    for (int i = 0; i < 2; ++i) {
        IconGroupEntry entry;
        std::memcpy(&entry, group + 6 + 14 * i, sizeof entry);
        EXPECT_EQ(entry.width, 16);
        EXPECT_EQ(entry.height, 16);
        const BYTE* image = Resource(MAKEINTRESOURCEA(entry.id), RT_ICON);
        ASSERT_NE(image, nullptr);
        BITMAPINFOHEADER bitmap;
        std::memcpy(&bitmap, image, sizeof bitmap);
        EXPECT_EQ(bitmap.biWidth, 16);
        EXPECT_EQ(bitmap.biHeight, 32) << "image and mask";
        EXPECT_EQ(bitmap.biBitCount, entry.bitCount);
        bitCounts.push_back(bitmap.biBitCount);
    }
    EXPECT_EQ(bitCounts, (std::vector<WORD>{4, 8}));
}

INSTANTIATE_TEST_SUITE_P(AllModules, Resources, ::testing::ValuesIn(kModules), ModuleTestName);

}  // namespace
}  // namespace qx::test
