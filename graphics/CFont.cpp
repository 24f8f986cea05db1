// Adding the private font file, creating the D3DX font, and undoing both.
#include "graphics/CFont.h"

#include "frame/SharedContext.h"

CFont::CFont(bool addFontFile, int width, int height, std::string name)
    : name(std::move(name)), width(width), height(height), registered(addFontFile) {
    if (addFontFile && AddFontResourceA(PathOf(this->name).c_str()) == 0) {
        // The face may still exist on the system, so the font is made all the same.
        MessageBoxA(nullptr,
                    "指定されたファイルからシステムフォントテーブルにフォントリソースを追加でき"
                    "ませんでした",
                    this->name.c_str(), MB_OK);
    }
    if (FAILED(D3DXCreateFontA(SharedContext.device, height, static_cast<UINT>(width), FW_NORMAL,
                               D3DX_DEFAULT, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                               DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, this->name.c_str(),
                               &font))) {
        font = nullptr;
        MessageBoxA(nullptr,
                    "デバイスとフォントに対する、フォントオブジェクトを作成できませんでした",
                    this->name.c_str(), MB_OK);
    }
}

CFont::~CFont() {
    if (font) {
        font->Release();
        font = nullptr;
    }
    if (registered) {
        RemoveFontResourceA(PathOf(name).c_str());
    }
}
