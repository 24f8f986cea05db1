// The shader registry: every CShader of the run by name. This game requests none, so the
// table stays empty; the registry is still built at start-up and released at exit.
#pragma once

#include <string>

#include "graphics/CResourceRegistry.h"
#include "graphics/CResourceTable.h"

class CShader;

class CShaderRegistry : public CResourceRegistry<CShaderRegistry> {
  public:
    // The shader of `name`, or null.
    CShader* Get(std::string name) { return shaders.Get(name); }

    CResourceTable<CShader> shaders;

  private:
    friend class CResourceRegistry<CShaderRegistry>;
    CShaderRegistry();
    ~CShaderRegistry();
};
