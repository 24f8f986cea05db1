// Drives the rules like a player: reads the rhythm, finds the way on the working map and
// clicks when the beat of the next update points the right way. Also a scratch run folder, so
// the miss record file of a test lands in a place of its own.
#pragma once

#include <filesystem>
#include <string>

// The phase the next update will compute (the rhythm advances before the press is seen).
int PhaseOfNextUpdate();

// The first step (a phase: 0 right, 1 left, 2 up, 3 down) of a shortest path from the marker to
// (x, y) over the working map, or -1 when there is none.
int FirstStepToward(int x, int y);

// The phase that would walk the marker into a wall, or -1.
int PhaseIntoWall();

// A fresh folder with Resource/Binary/ inside, made the working directory for the test's life.
// Its name carries the process id, so tests run side by side never share one.
class ScratchRunFolder {
  public:
    explicit ScratchRunFolder(const std::string& name);
    ~ScratchRunFolder();
    const std::filesystem::path& Path() const { return folder; }
    // The stand-in textures and sounds (support/TestAssets.h) under Resource/.
    void WriteTestAssets() const;
    // The game's real textures and sounds, as the build generated them into its run folder
    // (linked, not copied; the record folder stays the scratch folder's own).
    void UseGeneratedAssets() const;
    std::filesystem::path RecordPath() const;
    std::string RecordBytes() const;  // empty when the file does not exist

  private:
    std::filesystem::path previous;
    std::filesystem::path folder;
};
