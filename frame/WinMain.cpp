// The program's entry: one game object for the whole run.
#include "frame/CSampleGame.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    CSampleGame game(instance);
    return game.Run();
}
