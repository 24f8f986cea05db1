// The concrete game. For now it only keeps the frame's clear on the screen; the scenes, assets
// and fonts join as they are built.
#include "frame/CSampleGame.h"

CSampleGame::CSampleGame(HINSTANCE instance) : CGame(instance) {}

CSampleGame::~CSampleGame() = default;

void CSampleGame::Init() {}

void CSampleGame::Update(float) {}

void CSampleGame::Render(float) {}
