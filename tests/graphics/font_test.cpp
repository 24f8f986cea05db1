// TrueType fonts and the debug text: the private font file added for the font's life, the D3DX
// font asked for by the font's own name, the failure messages, the one debug text, and the
// font registry's part in a device reset.
#include <algorithm>
#include <fstream>

#include "graphics/CDebugText.h"
#include "graphics/CFont.h"
#include "graphics/CFontRegistry.h"
#include "graphics/GraphicsTest.h"

namespace {

using platform::testing::Failure;
using Trace = std::vector<std::string>;

class FontTest : public GraphicsTest {
  protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        CFont::SetDirectory(folder.string() + "/");
        CFont::SetExtension(".ttf");
        platform::testing::StartTrace();
    }

    std::string WriteFontFile(const std::string& name) {
        std::string path = (folder / (name + ".ttf")).string();
        std::ofstream(path, std::ios::binary) << std::string("\x00\x01\x00\x00\x00\x0A", 6);
        return path;
    }

    static std::vector<std::string> TracedFontTableCalls() {
        std::vector<std::string> calls;
        for (const std::string& entry : platform::testing::Trace()) {
            if (entry.find("FontResourceA") != std::string::npos) {
                calls.push_back(entry);
            }
        }
        return calls;
    }

    static size_t Count(const std::string& entry) {
        const auto& trace = platform::testing::Trace();
        return static_cast<size_t>(std::count(trace.begin(), trace.end(), entry));
    }
};

TEST_F(FontTest, AFontWithItsFileAddsItForItsLifeAndAsksForItsOwnFace) {
    std::string path = WriteFontFile("Pokufont");
    CFont* font = new CFont(true, 8, 20, "Pokufont");
    EXPECT_NE(font->font, nullptr);
    EXPECT_TRUE(font->registered);
    EXPECT_EQ(platform::testing::FontFileCount(path), 1);
    EXPECT_EQ(Count("D3DXCreateFontA Pokufont 20 8 400 128"), 1u);
    delete font;
    EXPECT_EQ(platform::testing::FontFileCount(path), 0);
    EXPECT_EQ(TracedFontTableCalls(),
              (Trace{"AddFontResourceA " + path, "RemoveFontResourceA " + path}));
    EXPECT_TRUE(platform::testing::MessageBoxes().empty());
    EXPECT_EQ(platform::testing::DefaultPoolObjects(device), 0) << "the D3DX font is released";
}

TEST_F(FontTest, AFontWithoutItsFileMakesNoFontTableCall) {
    WriteFontFile("Pokufont");
    delete new CFont(false, 0, 16, "Pokufont");
    EXPECT_TRUE(TracedFontTableCalls().empty());
    EXPECT_EQ(Count("D3DXCreateFontA Pokufont 16 0 400 128"), 1u);
}

TEST_F(FontTest, AMissingFileIsReportedAndTheFontIsStillMadeByFace) {
    CFont font(true, 0, 16, "Absent");
    ASSERT_EQ(platform::testing::MessageBoxes().size(), 1u);
    EXPECT_EQ(platform::testing::MessageBoxes()[0].text,
              "指定されたファイルからシステムフォントテーブルにフォントリソースを追加できませんで"
              "した");
    EXPECT_EQ(platform::testing::MessageBoxes()[0].caption, "Absent");
    EXPECT_TRUE(font.registered);
    EXPECT_NE(font.font, nullptr);
}

TEST_F(FontTest, AFileThatHoldsNoFontIsRefusedLikeAMissingOne) {
    std::ofstream(folder / "Picture.ttf", std::ios::binary) << "\x89PNG\r\n\x1a\n";
    CFont font(true, 0, 16, "Picture");
    ASSERT_EQ(platform::testing::MessageBoxes().size(), 1u);
    EXPECT_EQ(platform::testing::MessageBoxes()[0].caption, "Picture");
}

TEST_F(FontTest, AFailedD3DXFontIsReportedAndLeftNull) {
    platform::testing::InjectFailure(Failure::CreateFont);
    CFont font(false, 0, 16, "Pokufont");
    EXPECT_EQ(font.font, nullptr);
    ASSERT_EQ(platform::testing::MessageBoxes().size(), 1u);
    EXPECT_EQ(platform::testing::MessageBoxes()[0].text,
              "デバイスとフォントに対する、フォントオブジェクトを作成できませんでした");
    EXPECT_EQ(platform::testing::MessageBoxes()[0].caption, "Pokufont");
}

TEST_F(FontTest, TheDebugTextIsOneObjectWithOneFont) {
    CDebugText* first = CDebugText::GetInstance();
    CDebugText* second = CDebugText::GetInstance();
    EXPECT_EQ(first, second);
    EXPECT_EQ(Count("D3DXCreateFontA MS ゴシック 14 0 400 128"), 1u);
    EXPECT_EQ(first->name, "MS ゴシック");
    EXPECT_EQ(first->height, 14);
    EXPECT_EQ(first->width, 0);
    EXPECT_FALSE(first->registered);
    EXPECT_TRUE(TracedFontTableCalls().empty());
    EXPECT_EQ(CFontRegistry::GetInstance()->Get("MS ゴシック"), nullptr) << "not in the registry";
}

TEST_F(FontTest, AnEmptyRegistryActsOnlyOnItsSpriteAroundAReset) {
    CFontRegistry* registry = CFontRegistry::GetInstance();
    ASSERT_NE(registry->sprite, nullptr);
    platform::testing::ClearTrace();
    registry->OnLostDevice();
    EXPECT_EQ(platform::testing::Trace(), Trace{"Sprite.OnLostDevice"});
    EXPECT_EQ(device->Reset(&parameters), D3D_OK);
    registry->OnResetDevice();
    EXPECT_EQ(platform::testing::Trace(),
              (Trace{"Sprite.OnLostDevice", "Reset", "Sprite.OnResetDevice"}));
}

TEST_F(FontTest, TheRegistrysFontsGoInNameOrderBeforeTheSprite) {
    CFontRegistry* registry = CFontRegistry::GetInstance();
    registry->fonts.entries["Second"] = new CFont(false, 0, 16, "Second");
    registry->fonts.entries["First"] = new CFont(false, 0, 16, "First");
    registry->fonts.entries["Released"] = nullptr;
    EXPECT_EQ(D3DERR_INVALIDCALL, device->Reset(&parameters)) << "fonts and sprite hold state";
    platform::testing::ClearTrace();
    CFont::OnLostDevice();
    EXPECT_EQ(platform::testing::DefaultPoolObjects(device), 0);
    EXPECT_EQ(device->Reset(&parameters), D3D_OK);
    CFont::OnResetDevice();
    EXPECT_EQ(platform::testing::Trace(),
              (Trace{"Font.OnLostDevice First", "Font.OnLostDevice Second", "Sprite.OnLostDevice",
                     "Reset", "Font.OnResetDevice First", "Font.OnResetDevice Second",
                     "Sprite.OnResetDevice"}));
    EXPECT_EQ(platform::testing::DefaultPoolObjects(device), 3);
}

TEST_F(FontTest, ARegistryWithoutItsSpriteStillGoesThroughAReset) {
    platform::testing::InjectFailure(Failure::CreateSprite);
    CFontRegistry* registry = CFontRegistry::GetInstance();
    EXPECT_EQ(registry->sprite, nullptr);
    EXPECT_TRUE(platform::testing::MessageBoxes().empty()) << "the failure is not reported";
    registry->OnLostDevice();
    EXPECT_EQ(device->Reset(&parameters), D3D_OK);
    registry->OnResetDevice();
}

}  // namespace
