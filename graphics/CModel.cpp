// Releasing a model's interfaces and arrays in their fixed order.
#include "graphics/CModel.h"

namespace {

template <typename Interface>
void ReleaseInterface(Interface*& pointer) {
    if (pointer) {
        pointer->Release();
        pointer = nullptr;
    }
}

template <typename Element>
void FreeArray(Element*& array) {
    delete[] array;
    array = nullptr;
}

}  // namespace

CModel::~CModel() {
    if (interfaces) {
        for (uint32_t index = 0; index < count; ++index) {
            ReleaseInterface(interfaces[index]);
        }
    }
    FreeArray(table0);
    FreeArray(interfaces);
    FreeArray(table1);
    ReleaseInterface(modelInterface);
    ReleaseInterface(extraInterface0);
    ReleaseInterface(extraInterface1);
    ReleaseInterface(extraInterface2);
}
