// The stairs of the current floor. On the last floor they are parked outside the grid.
#pragma once

class CStairs {
  public:
    // The one stairs object, built on the first call.
    static CStairs* GetInstance() {
        static CStairs instance;
        return &instance;
    }

    int x = 0;
    int y = 0;
    bool reached = false;
};
