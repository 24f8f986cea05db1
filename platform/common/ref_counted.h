// Reference counting for the layer's API objects: AddRef and Release as the interfaces declare
// them; the object deletes itself when the last reference goes. Atomic, because sound objects
// are also reached from the audio thread.
#pragma once

#include <atomic>

#include "windows.h"

namespace platform {

template <typename Interface>
class RefCounted : public Interface {
  public:
    ULONG AddRef() override { return ++references; }

    ULONG Release() override {
        ULONG left = --references;
        if (left == 0) {
            delete this;
        }
        return left;
    }

  protected:
    RefCounted() = default;
    virtual ~RefCounted() = default;

  private:
    std::atomic<ULONG> references{1};
};

}  // namespace platform
