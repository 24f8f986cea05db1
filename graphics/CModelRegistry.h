// The model registry: every CModel of the run by name. This game requests none, so the
// table stays empty; the registry is still built at start-up and released at exit.
#pragma once

#include <string>

#include "graphics/CResourceRegistry.h"
#include "graphics/CResourceTable.h"

class CModel;

class CModelRegistry : public CResourceRegistry<CModelRegistry> {
  public:
    // The model of `name`, or null.
    CModel* Get(std::string name) { return models.Get(name); }

    CResourceTable<CModel> models;

  private:
    friend class CResourceRegistry<CModelRegistry>;
    CModelRegistry();
    ~CModelRegistry();
};
