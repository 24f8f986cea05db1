// The base of the four scenes: an id, the leaving flag and a name, with the operations the scene
// manager calls. The base behaviour does nothing but reset `leaving` on Init.
#pragma once

#include <string>

class CScene {
  public:
    CScene(int id, std::string name);
    virtual ~CScene();

    // Runs when the game starts and every time the scene becomes active.
    virtual void Init();
    virtual void Update();
    virtual void Render();
    // Runs when the scene is taken out of the active list.
    virtual void Exit();

    int id;
    // Set by a scene when it starts its exit transition; it then waits for the transition
    // before it asks for the switch.
    bool leaving;
    std::string name;  // for identification only
};
