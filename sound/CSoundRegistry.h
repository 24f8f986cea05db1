// The sound registry: every CSound of the run by name, and the DirectSound object all their
// buffers are made on (a second one beside the frame's). Built by the first PublishContext,
// after the window exists; released at exit, sounds first and then the DirectSound object.
#pragma once

#include <string>

#include "dsound.h"
#include "graphics/CResourceRegistry.h"
#include "graphics/CResourceTable.h"

class CSound;

class CSoundRegistry : public CResourceRegistry<CSoundRegistry> {
  public:
    // The sound of `name`, read from its file on the first request; a failed load stays.
    CSound* Load(std::string name);
    // The sound of `name`, or null when it was never loaded.
    CSound* Get(std::string name);

    // Null when DirectSound could not be created; every load then fails.
    IDirectSound8* directSound = nullptr;
    CResourceTable<CSound> sounds;

  private:
    friend class CResourceRegistry<CSoundRegistry>;
    CSoundRegistry();
    ~CSoundRegistry();
};
