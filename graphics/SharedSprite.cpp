// The shared sprite's holder, a function-local static released at process exit.
#include "graphics/SharedSprite.h"

namespace {

struct SharedSpriteHolder {
    ID3DXSprite* sprite = nullptr;
    ~SharedSpriteHolder() {
        if (sprite) {
            sprite->Release();
            sprite = nullptr;
        }
    }
};

}  // namespace

ID3DXSprite** GetSharedSprite() {
    static SharedSpriteHolder holder;
    return &holder.sprite;
}
