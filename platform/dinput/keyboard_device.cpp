// The system keyboard: data format, cooperative level, acquisition and its immediate state,
// read from the desktop's key state (HID usages) through the DIK_ table.
#include "dinput/keyboard_device.h"
#include "common/ref_counted.h"

#include <cstring>
#include <vector>

#include "dinput/dik_codes.h"
#include "sdl/backend.h"

namespace platform::dinput {
namespace {

constexpr int kKeyCount = 256;

bool SameGuid(const GUID& a, const GUID& b) {
    return std::memcmp(&a, &b, sizeof(GUID)) == 0;
}

// The keys down now, indexed by DIK_ code.
void KeysDown(bool (&down)[kKeyCount]) {
    for (bool& key : down) {
        key = false;
    }
    ForEachMappedUsage([&](int usage, int dik) {
        if (sdl::IsKeyDown(usage)) {
            down[dik] = true;
        }
    });
}

// Where one key's byte goes in the application's buffer.
struct KeySlot {
    DWORD offset;
    int dik;
};

class KeyboardDevice final : public RefCounted<IDirectInputDevice8A> {
  public:
    explicit KeyboardDevice(IDirectInput8A* owner) : owner(owner) { owner->AddRef(); }

    HRESULT Acquire() override {
        if (!formatSet) {
            return DIERR_INVALIDPARAM;
        }
        if (acquired) {
            return S_FALSE;
        }
        acquired = true;
        return DI_OK;
    }

    HRESULT Unacquire() override {
        if (!acquired) {
            return DI_NOEFFECT;
        }
        acquired = false;
        return DI_OK;
    }

    HRESULT GetDeviceState(DWORD size, LPVOID data) override {
        if (!data) {
            return DIERR_INVALIDPARAM;
        }
        if (!acquired) {
            return DIERR_NOTACQUIRED;
        }
        if (size != dataSize) {
            return DIERR_INVALIDPARAM;
        }
        bool down[kKeyCount];
        KeysDown(down);
        auto* bytes = static_cast<BYTE*>(data);
        std::memset(bytes, 0, size);
        for (const KeySlot& slot : slots) {
            if (down[slot.dik]) {
                bytes[slot.offset] = 0x80;
            }
        }
        return DI_OK;
    }

    HRESULT SetDataFormat(LPCDIDATAFORMAT format) override {
        if (!format || format->dwSize != sizeof(DIDATAFORMAT) ||
            format->dwObjSize != sizeof(DIOBJECTDATAFORMAT) || format->dwDataSize == 0 ||
            format->dwDataSize % 4 != 0 || (format->dwNumObjs > 0 && !format->rgodf)) {
            return DIERR_INVALIDPARAM;
        }
        if (acquired) {
            return DIERR_ACQUIRED;
        }
        std::vector<KeySlot> newSlots;
        for (DWORD i = 0; i < format->dwNumObjs; ++i) {
            const DIOBJECTDATAFORMAT& object = format->rgodf[i];
            if (object.dwOfs >= format->dwDataSize) {
                return DIERR_INVALIDPARAM;
            }
            if (IsKey(object)) {
                newSlots.push_back(
                    {object.dwOfs, static_cast<int>(DIDFT_GETINSTANCE(object.dwType))});
            }
        }
        slots = std::move(newSlots);
        dataSize = format->dwDataSize;
        formatSet = true;
        return DI_OK;
    }

    HRESULT SetCooperativeLevel(HWND hwnd, DWORD flags) override {
        DWORD sharing = flags & (DISCL_EXCLUSIVE | DISCL_NONEXCLUSIVE);
        DWORD focus = flags & (DISCL_FOREGROUND | DISCL_BACKGROUND);
        if (sharing == 0 || sharing == (DISCL_EXCLUSIVE | DISCL_NONEXCLUSIVE) || focus == 0 ||
            focus == (DISCL_FOREGROUND | DISCL_BACKGROUND) || !hwnd || !IsWindow(hwnd)) {
            return DIERR_INVALIDPARAM;
        }
        if (sharing == DISCL_EXCLUSIVE && focus == DISCL_BACKGROUND) {
            return DIERR_UNSUPPORTED;  // no program may own the keyboard from the background
        }
        if (acquired) {
            return DIERR_ACQUIRED;
        }
        return DI_OK;
    }

  private:
    ~KeyboardDevice() { owner->Release(); }

    // A button object naming a key by instance number (and GUID_Key, if it names a kind).
    static bool IsKey(const DIOBJECTDATAFORMAT& object) {
        if (object.pguid && !SameGuid(*object.pguid, GUID_Key)) {
            return false;
        }
        if (!(object.dwType & DIDFT_BUTTON)) {
            return false;
        }
        int instance = DIDFT_GETINSTANCE(object.dwType);
        return instance < kKeyCount;
    }

    IDirectInput8A* owner;
    bool formatSet = false;
    bool acquired = false;
    DWORD dataSize = 0;
    std::vector<KeySlot> slots;
};

}  // namespace

IDirectInputDevice8A* CreateKeyboardDevice(IDirectInput8A* owner) {
    return new KeyboardDevice(owner);
}

}  // namespace platform::dinput
