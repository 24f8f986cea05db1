// The cooperative level of a DirectInput device and what it means for acquisition: a
// foreground device holds its acquisition only while its window has the input focus.
#pragma once

#include "dinput.h"

namespace platform::dinput {

class Cooperation {
  public:
    // Checks the flags as DirectInput does; `exclusiveBackgroundAllowed` is false for the
    // system keyboard and mouse, which no program may own from the background.
    HRESULT SetLevel(HWND window, DWORD flags, bool acquired, bool exclusiveBackgroundAllowed);

    // Acquire: S_FALSE when already acquired, DIERR_OTHERAPPHASPRIO without the focus.
    HRESULT Acquire();
    HRESULT Unacquire();
    // Before reading a state: DI_OK while acquired; a foreground device that lost the focus
    // says DIERR_INPUTLOST once and DIERR_NOTACQUIRED from then on.
    HRESULT CheckAcquired();

    bool Acquired() const { return acquired; }

  private:
    bool HasFocus() const;

    HWND window = nullptr;
    bool foreground = false;
    bool acquired = false;
};

}  // namespace platform::dinput
