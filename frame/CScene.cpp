// The scene base class.
#include "frame/CScene.h"

#include <utility>

CScene::CScene(int id, std::string name) : id(id), leaving(false), name(std::move(name)) {}

CScene::~CScene() = default;

void CScene::Init() {
    leaving = false;
}

void CScene::Update() {}

void CScene::Render() {}

void CScene::Exit() {}
