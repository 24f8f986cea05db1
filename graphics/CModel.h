// A model (".x" file) owned by the model registry: the mesh, its materials, one texture per
// material, the material's attribute table and the buffers the mesh was read with. No model is
// read in this game; the kind keeps its folder, extension and release order.
#pragma once

#include <cstdint>

#include "d3d9.h"
#include "d3dx9.h"
#include "graphics/CModelRegistry.h"
#include "graphics/CNamedResource.h"

class CModel : public CNamedResource<CModel, CModelRegistry> {
  public:
    CModel() = default;
    // The textures, then the three arrays, then the mesh and the three buffers.
    ~CModel();
    CModel(const CModel&) = delete;
    CModel& operator=(const CModel&) = delete;

    ID3DXMesh* modelInterface = nullptr;       // owned
    D3DCOLOR* table0 = nullptr;                // owned (new[]): a colour per material
    IDirect3DTexture9** interfaces = nullptr;  // owned (new[]) array of `count` owned textures
    DWORD* table1 = nullptr;                   // owned (new[]): an attribute per material
    ID3DXBuffer* extraInterface0 = nullptr;    // owned: adjacency
    ID3DXBuffer* extraInterface1 = nullptr;    // owned: materials as read
    ID3DXBuffer* extraInterface2 = nullptr;    // owned: effect instances as read
    uint32_t count = 0;                        // entries of `interfaces`
};
