// The debug text's face and size.
#include "graphics/CDebugText.h"

CDebugText* CDebugText::GetInstance() {
    static CDebugText instance;
    return &instance;
}

// A face every Japanese desktop has, so no font file is added for it.
CDebugText::CDebugText() : CFont(false, 0, 14, "MS ゴシック") {}

CDebugText::~CDebugText() = default;
