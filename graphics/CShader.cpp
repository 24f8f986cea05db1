// Releasing a shader's interfaces, the later one first.
#include "graphics/CShader.h"

CShader::~CShader() {
    if (shaderInterface1) {
        shaderInterface1->Release();
        shaderInterface1 = nullptr;
    }
    if (shaderInterface0) {
        shaderInterface0->Release();
        shaderInterface0 = nullptr;
    }
}
