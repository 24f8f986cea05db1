// The play state and its miss record.
#include "game/CPlayState.h"

#include "game/MissRecordFile.h"

CPlayState* CPlayState::GetInstance() {
    static CPlayState instance;
    return &instance;
}

CPlayState::CPlayState() {
    LoadMissRecord();
}

void CPlayState::LoadMissRecord() {
    record = ReadMissRecord(MISS_RECORD_PATH);
}

void CPlayState::SaveMissRecord() {
    // A record that cannot be stored still counts for this run; nothing is shown.
    WriteMissRecord(MISS_RECORD_PATH, record);
}
