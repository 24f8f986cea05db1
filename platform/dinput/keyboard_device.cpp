// The system keyboard: data format, cooperative level, acquisition and its immediate state,
// read from the desktop's key state (HID usages) through the DIK_ table.
#include "dinput/keyboard_device.h"
#include "common/ref_counted.h"

#include <cstring>
#include <vector>

#include "dinput/cooperation.h"
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

    HRESULT GetCapabilities(LPDIDEVCAPS caps) override {
        if (!caps || caps->dwSize != sizeof(DIDEVCAPS)) {
            return DIERR_INVALIDPARAM;
        }
        std::memset(caps, 0, sizeof *caps);
        caps->dwSize = sizeof *caps;
        caps->dwFlags = DIDC_ATTACHED;
        caps->dwDevType = DI8DEVTYPE_KEYBOARD;
        int count = 0;
        MappedUsages(&count);
        caps->dwButtons = static_cast<DWORD>(count);
        return DI_OK;
    }

    // The keys, one button object each, named by DIK_ code.
    HRESULT EnumObjects(LPDIENUMDEVICEOBJECTSCALLBACKA callback, LPVOID context,
                        DWORD flags) override {
        if (!callback) {
            return DIERR_INVALIDPARAM;
        }
        if (flags != DIDFT_ALL && !(flags & DIDFT_BUTTON)) {
            return DI_OK;
        }
        bool seen[kKeyCount] = {};
        bool stopped = false;
        ForEachMappedUsage([&](int, int dik) {
            if (stopped || seen[dik]) {
                return;
            }
            seen[dik] = true;
            DIDEVICEOBJECTINSTANCEA object = {};
            object.dwSize = sizeof object;
            object.guidType = GUID_Key;
            object.dwOfs = static_cast<DWORD>(dik);
            object.dwType = static_cast<DWORD>(DIDFT_PSHBUTTON | DIDFT_MAKEINSTANCE(dik));
            stopped = callback(&object, context) == DIENUM_STOP;
        });
        return DI_OK;
    }

    // A keyboard has no axes, so it has no range to set.
    HRESULT SetProperty(REFGUID, LPCDIPROPHEADER header) override {
        return header ? DIERR_UNSUPPORTED : DIERR_INVALIDPARAM;
    }

    HRESULT Acquire() override {
        if (!formatSet) {
            return DIERR_INVALIDPARAM;
        }
        return cooperation.Acquire();
    }

    HRESULT Unacquire() override { return cooperation.Unacquire(); }

    HRESULT GetDeviceState(DWORD size, LPVOID data) override {
        if (!data) {
            return DIERR_INVALIDPARAM;
        }
        HRESULT acquired = cooperation.CheckAcquired();
        if (acquired != DI_OK) {
            return acquired;
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
        if (cooperation.Acquired()) {
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

    // No program may own the keyboard from the background.
    HRESULT SetCooperativeLevel(HWND hwnd, DWORD flags) override {
        return cooperation.SetLevel(hwnd, flags, cooperation.Acquired(), false);
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
    Cooperation cooperation;
    DWORD dataSize = 0;
    std::vector<KeySlot> slots;
};

}  // namespace

IDirectInputDevice8A* CreateKeyboardDevice(IDirectInput8A* owner) {
    return new KeyboardDevice(owner);
}

}  // namespace platform::dinput
