// The model registry's name table: released at exit in name order.
#include "graphics/CModelRegistry.h"

#include "graphics/CModel.h"

CModelRegistry::CModelRegistry() = default;

CModelRegistry::~CModelRegistry() {
    models.DeleteAll();
}
