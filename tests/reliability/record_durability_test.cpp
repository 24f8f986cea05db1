// The miss record survives whatever happens while the game writes it. Tested through the game's
// own operations (CPlayState::SaveMissRecord / LoadMissRecord), so it holds for any way the
// record file is written: a writer killed (SIGKILL) at random moments, hundreds of times, always
// leaves the old or the new record; a read-only file, a missing Resource/Binary/ and a full disk
// (a file-size limit) leave the old file as it was and the game going, with one log line that
// gives the path and the reason.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "ChildRun.h"
#include "game/CPlayState.h"
#include "support/PlayDriver.h"
#include "test_seam.h"

namespace fs = std::filesystem;

namespace {

// Kills per run; POKUTAN_RECORD_KILLS raises it for a long run.
int KillCount() {
    const char* asked = std::getenv("POKUTAN_RECORD_KILLS");
    return asked ? std::max(1, std::atoi(asked)) : 300;
}

std::string Record(int value) {
    return std::to_string(value) + "\r\n";
}

// The game saving ever larger records, one after another, until it is killed.
[[noreturn]] void SaveRecordsForever(int first, int readyPipe) {
    CPlayState* play = CPlayState::GetInstance();
    const char ready = 1;
    if (write(readyPipe, &ready, 1) != 1) {
        _exit(4);
    }
    close(readyPipe);
    for (int record = first;; ++record) {
        play->record = record;
        play->SaveMissRecord();
    }
}

// The log lines about the record not being saved, joined.
std::string NotSavedLines() {
    std::string found;
    for (const std::string& line : platform::testing::LogLines()) {
        if (line.find("Resource/Binary/Miss.bin: the record was not saved: ") == 0) {
            found += line + "\n";
        }
    }
    return found;
}

class RecordDurability : public ::testing::Test {
  protected:
    void SetUp() override {
        std::ofstream(folder.RecordPath(), std::ios::binary) << Record(12);
        platform::testing::CaptureLogLines(true);
        platform::testing::ClearLogLines();
    }
    void TearDown() override { platform::testing::CaptureLogLines(false); }

    ScratchRunFolder folder{"record_durability"};
};

TEST_F(RecordDurability, AWriterKilledAtRandomMomentsLeavesTheOldOrTheNewRecord) {
    std::mt19937 random(1208);
    int last = 12;
    int changed = 0;
    const int kills = KillCount();
    for (int round = 0; round < kills; ++round) {
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(ready[0]);
            SaveRecordsForever(last + 1, ready[1]);
        }
        close(ready[1]);
        char byte = 0;
        ASSERT_EQ(read(ready[0], &byte, 1), 1);
        close(ready[0]);
        usleep(static_cast<useconds_t>(random() % 3000));
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

        // The file holds one whole record, the last one seen or a later one the writer saved.
        const std::string bytes = folder.RecordBytes();
        const int value = std::atoi(bytes.c_str());
        ASSERT_EQ(bytes, Record(value)) << "after kill " << round;
        ASSERT_GE(value, last) << "after kill " << round;
        changed += value != last;
        last = value;
        // The game reads it back as that record.
        CPlayState::GetInstance()->LoadMissRecord();
        ASSERT_EQ(CPlayState::GetInstance()->record, value);
    }
    EXPECT_GT(changed, 0) << "the writer never got a record through";
    std::printf("[ figures  ] %d kills survived, the record advanced %d times to %d\n", kills,
                changed, last);
}

TEST_F(RecordDurability, AReadOnlyFileStaysAsItWas) {
    fs::permissions(folder.RecordPath(),
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    CPlayState* play = CPlayState::GetInstance();
    play->record = 3;
    play->SaveMissRecord();
    EXPECT_EQ(play->record, 3) << "the run keeps its record";
    EXPECT_EQ(folder.RecordBytes(), Record(12));
    EXPECT_EQ(NotSavedLines(),
              "Resource/Binary/Miss.bin: the record was not saved: the file is read-only\n");
    play->LoadMissRecord();
    EXPECT_EQ(play->record, 12);
}

TEST_F(RecordDurability, AMissingRecordFolderIsNotMadeAndNothingFails) {
    fs::remove_all(folder.Path() / "Resource" / "Binary");
    CPlayState* play = CPlayState::GetInstance();
    play->record = 3;
    play->SaveMissRecord();
    EXPECT_FALSE(fs::exists(folder.Path() / "Resource" / "Binary"));
    EXPECT_EQ(NotSavedLines(),
              "Resource/Binary/Miss.bin: the record was not saved: error 3: The system cannot "
              "find the path specified.\n");
    play->LoadMissRecord();
    EXPECT_EQ(play->record, 999) << "no record, as with no file";
}

// A full disk: a file-size limit below the new record's size. The write fails (SIGXFSZ ignored,
// as a game that gets EFBIG) and the old record stays; the game goes on in the child.
TEST_F(RecordDurability, AFullDiskLeavesTheOldRecord) {
    struct Result {
        int recordAfter = -1;
        bool reasonLogged = false;
    };
    const auto run = RunInChild<Result>([] {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{3, 3};  // "12\r\n" is 4 bytes; "1234567\r\n" can never fit
        setrlimit(RLIMIT_FSIZE, &limit);
        CPlayState* play = CPlayState::GetInstance();
        play->record = 1234567;
        play->SaveMissRecord();
        return Result{play->record,
                      NotSavedLines() ==
                          "Resource/Binary/Miss.bin: the record was not saved: error 112: There "
                          "is not enough space on the disk.\n"};
    });
    ASSERT_TRUE(run.exitedCleanly) << "status " << run.status;
    EXPECT_EQ(run.result.recordAfter, 1234567);
    EXPECT_TRUE(run.result.reasonLogged);
    EXPECT_EQ(folder.RecordBytes(), Record(12));
}

}  // namespace
