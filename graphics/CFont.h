// One D3DX font made from a Windows face, optionally after adding the private font file of
// the same name (directory + name + extension) to the system font table for the object's life.
// The face inside such a file must carry the file's base name, as it is requested by name.
#pragma once

#include <string>

#include "d3dx9.h"
#include "graphics/CFontRegistry.h"
#include "graphics/CNamedResource.h"

class CFont : public CNamedResource<CFont, CFontRegistry> {
  public:
    // Failures are shown in message boxes with the name as caption; the object stays.
    CFont(bool addFontFile, int width, int height, std::string name);
    virtual ~CFont();
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;

    static void OnLostDevice() { CFontRegistry::GetInstance()->OnLostDevice(); }
    static void OnResetDevice() { CFontRegistry::GetInstance()->OnResetDevice(); }

    ID3DXFont* font = nullptr;  // owned; null when creation failed
    std::string name;           // the face, and the base name of the font file
    int width = 0;              // average character width; 0 lets the face choose
    int height = 0;
    bool registered = false;  // the file was to be added, so the destructor removes it
};
