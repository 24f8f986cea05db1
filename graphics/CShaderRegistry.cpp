// The shader registry's name table: released at exit in name order.
#include "graphics/CShaderRegistry.h"

#include "graphics/CShader.h"

CShaderRegistry::CShaderRegistry() = default;

CShaderRegistry::~CShaderRegistry() {
    shaders.DeleteAll();
}
