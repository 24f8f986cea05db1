// The device-loss fan-outs over every registry and the shared sprite: what depends on the
// device is released before a Reset and rebuilt after it.
#pragma once

void ReleaseDeviceResources();
void RestoreDeviceResources();
