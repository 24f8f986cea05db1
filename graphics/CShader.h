// A shader (".hlsl" file) owned by the shader registry: its compiled code and its constant
// table. No shader is compiled in this game; the kind keeps its folder, extension and release.
#pragma once

#include "d3dx9.h"
#include "graphics/CNamedResource.h"
#include "graphics/CShaderRegistry.h"

class CShader : public CNamedResource<CShader, CShaderRegistry> {
  public:
    CShader() = default;
    // Releases the constant table, then the code.
    ~CShader();
    CShader(const CShader&) = delete;
    CShader& operator=(const CShader&) = delete;

    ID3DXBuffer* shaderInterface0 = nullptr;         // owned; the compiled code, may be null
    ID3DXConstantTable* shaderInterface1 = nullptr;  // owned; may be null
};
