// Creating secondary buffers, and Lock/Unlock: the checks CreateSoundBuffer makes, the sizes
// of the description it accepts, wrap-around locks and what Unlock writes back.
#include "dsound_fixture.h"

namespace {

using dsound_test::AnyWindow;
using dsound_test::Description;
using dsound_test::DirectSoundTest;
using dsound_test::Pcm;
using platform::testing::Failure;

using SoundBufferCreation = DirectSoundTest;

HRESULT Create(IDirectSound8* directSound, const DSBUFFERDESC& desc) {
    IDirectSoundBuffer* buffer = nullptr;
    HRESULT result = directSound->CreateSoundBuffer(&desc, &buffer, nullptr);
    EXPECT_EQ(buffer == nullptr, result != DS_OK);
    if (buffer) {
        buffer->Release();
    }
    return result;
}

TEST_F(SoundBufferCreation, NeedsTheCooperativeLevelFirst) {
    IDirectSound8* fresh = nullptr;
    ASSERT_EQ(DirectSoundCreate8(nullptr, &fresh, nullptr), DS_OK);
    WAVEFORMATEX format = Pcm(2, 16, 44100);
    EXPECT_EQ(Create(fresh, Description(&format, 400)), DSERR_UNINITIALIZED);
    ASSERT_EQ(fresh->SetCooperativeLevel(AnyWindow(), DSSCL_NORMAL), DS_OK);
    EXPECT_EQ(Create(fresh, Description(&format, 400)), DS_OK);
    EXPECT_EQ(fresh->Release(), 0u);
}

TEST_F(SoundBufferCreation, SeamFailuresOfCreationAndCooperativeLevel) {
    IDirectSound8* other = reinterpret_cast<IDirectSound8*>(1);
    platform::testing::InjectFailure(Failure::DirectSoundCreate);
    EXPECT_EQ(DirectSoundCreate8(nullptr, &other, nullptr), DSERR_NODRIVER);
    EXPECT_EQ(other, nullptr);
    platform::testing::InjectFailure(Failure::SoundCooperativeLevel);
    EXPECT_EQ(directSound->SetCooperativeLevel(AnyWindow(), DSSCL_EXCLUSIVE), DSERR_GENERIC);
}

TEST_F(SoundBufferCreation, AcceptsOnlyTheDescriptionSizeOfThisWordSize) {
    WAVEFORMATEX format = Pcm(1, 16, 22050);
    DSBUFFERDESC desc = Description(&format, 100);
    EXPECT_EQ(Create(directSound, desc), DS_OK);
    desc.dwSize = sizeof(void*) == 8 ? 36 : 40;  // the other word size's
    EXPECT_EQ(Create(directSound, desc), DSERR_INVALIDPARAM);
    desc.dwSize = 20;
    EXPECT_EQ(Create(directSound, desc), DSERR_INVALIDPARAM);
    desc.dwSize = 0;
    EXPECT_EQ(Create(directSound, desc), DSERR_INVALIDPARAM);
}

TEST_F(SoundBufferCreation, RejectsFormatsThatAreNotConsistentLinearPcm) {
    auto check = [this](WAVEFORMATEX format, HRESULT expected) {
        EXPECT_EQ(Create(directSound, Description(&format, 1200)), expected)
            << "tag " << format.wFormatTag << " channels " << format.nChannels << " bits "
            << format.wBitsPerSample << " align " << format.nBlockAlign << " rate "
            << format.nSamplesPerSec;
    };
    for (WORD bits : {8, 16, 24, 32}) {
        for (WORD channels : {1, 2}) {
            check(Pcm(channels, bits, 44100), DS_OK);
        }
    }
    WAVEFORMATEX format = Pcm(2, 16, 44100);
    format.wFormatTag = 3;  // IEEE float
    check(format, DSERR_BADFORMAT);
    check(Pcm(3, 16, 44100), DSERR_BADFORMAT);
    check(Pcm(1, 12, 44100), DSERR_BADFORMAT);
    check(Pcm(2, 16, 50), DSERR_BADFORMAT);
    check(Pcm(2, 16, 400000), DSERR_BADFORMAT);
    format = Pcm(2, 16, 44100);
    format.nBlockAlign = 2;
    check(format, DSERR_BADFORMAT);
    format = Pcm(2, 16, 44100);
    format.cbSize = 22;  // ignored for PCM
    format.nAvgBytesPerSec = 1;
    check(format, DS_OK);
}

TEST_F(SoundBufferCreation, RejectsSizesOutsideTheLimitsOrBetweenFrames) {
    WAVEFORMATEX format = Pcm(2, 16, 48000);
    for (DWORD bytes : {DWORD{0}, DWORD{2}, DWORD{6}, DWORD{1001}, DWORD{0x10000000}}) {
        EXPECT_EQ(Create(directSound, Description(&format, bytes)), DSERR_INVALIDPARAM) << bytes;
    }
    EXPECT_EQ(Create(directSound, Description(&format, 4)), DS_OK);
    DSBUFFERDESC desc = Description(nullptr, 400);
    EXPECT_EQ(Create(directSound, desc), DSERR_INVALIDPARAM);
    desc = Description(&format, 400);
    desc.dwFlags |= DSBCAPS_PRIMARYBUFFER;
    EXPECT_EQ(Create(directSound, desc), DSERR_UNSUPPORTED);
    IDirectSoundBuffer* buffer = nullptr;
    EXPECT_EQ(directSound->CreateSoundBuffer(nullptr, &buffer, nullptr), DSERR_INVALIDPARAM);
}

TEST_F(SoundBufferCreation, NewBuffersAreSilentInEveryDepth) {
    std::vector<int16_t> mix;
    for (WORD bits : {8, 16, 24, 32}) {
        WAVEFORMATEX format = Pcm(1, bits, 48000);
        DSBUFFERDESC desc = Description(&format, bits / 8 * 64);
        IDirectSoundBuffer* buffer = nullptr;
        ASSERT_EQ(directSound->CreateSoundBuffer(&desc, &buffer, nullptr), DS_OK);
        buffers.push_back(buffer);
        buffer->Play(0, 0, 0);
    }
    for (int16_t sample : platform::testing::PullAudio(64)) {
        ASSERT_EQ(sample, 0);
    }
}

class SoundBufferLock : public DirectSoundTest {
  protected:
    void SetUp() override {
        DirectSoundTest::SetUp();
        std::vector<uint8_t> bytes(16);
        for (size_t i = 0; i < bytes.size(); ++i) {
            bytes[i] = static_cast<uint8_t>(i);
        }
        buffer = MakeBuffer(Pcm(2, 16, 48000), bytes);
    }

    std::vector<uint8_t> Contents() {
        void* region = nullptr;
        DWORD length = 0;
        EXPECT_EQ(buffer->Lock(0, 0, &region, &length, nullptr, nullptr, DSBLOCK_ENTIREBUFFER),
                  DS_OK);
        auto* bytes = static_cast<uint8_t*>(region);
        std::vector<uint8_t> contents(bytes, bytes + length);
        EXPECT_EQ(buffer->Unlock(region, 0, nullptr, 0), DS_OK);
        return contents;
    }

    IDirectSoundBuffer* buffer = nullptr;
};

TEST_F(SoundBufferLock, WrapsAroundTheEndIntoTwoRegions) {
    void* first = nullptr;
    void* second = nullptr;
    DWORD firstBytes = 0;
    DWORD secondBytes = 0;
    ASSERT_EQ(buffer->Lock(12, 8, &first, &firstBytes, &second, &secondBytes, 0), DS_OK);
    ASSERT_EQ(firstBytes, 4u);
    ASSERT_EQ(secondBytes, 4u);
    auto* a = static_cast<uint8_t*>(first);
    auto* b = static_cast<uint8_t*>(second);
    EXPECT_EQ(std::vector<uint8_t>(a, a + 4), (std::vector<uint8_t>{12, 13, 14, 15}));
    EXPECT_EQ(std::vector<uint8_t>(b, b + 4), (std::vector<uint8_t>{0, 1, 2, 3}));
    std::memset(first, 0xAA, 4);
    std::memset(second, 0xBB, 4);
    ASSERT_EQ(buffer->Unlock(first, 4, second, 2), DS_OK);
    std::vector<uint8_t> expected{0xBB, 0xBB, 2,  3,  4,    5,    6,    7,
                                  8,    9,    10, 11, 0xAA, 0xAA, 0xAA, 0xAA};
    EXPECT_EQ(Contents(), expected) << "only the bytes Unlock is told about are written";
}

TEST_F(SoundBufferLock, DataReachesTheBufferOnlyAtUnlock) {
    void* region = nullptr;
    DWORD length = 0;
    ASSERT_EQ(buffer->Lock(0, 4, &region, &length, nullptr, nullptr, 0), DS_OK);
    std::memset(region, 0x55, 4);
    EXPECT_EQ(Contents()[0], 0) << "a second lock sees the buffer, not the first lock's copy";
    ASSERT_EQ(buffer->Unlock(region, 4, nullptr, 0), DS_OK);
    EXPECT_EQ(Contents()[0], 0x55);
}

TEST_F(SoundBufferLock, RejectsBadRangesAndForeignPointers) {
    void* first = nullptr;
    DWORD firstBytes = 0;
    EXPECT_EQ(buffer->Lock(16, 4, &first, &firstBytes, nullptr, nullptr, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->Lock(0, 17, &first, &firstBytes, nullptr, nullptr, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->Lock(0, 0, &first, &firstBytes, nullptr, nullptr, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->Lock(8, 12, &first, &firstBytes, nullptr, nullptr, 0), DSERR_INVALIDPARAM)
        << "wrapping needs the second region's arguments";
    EXPECT_EQ(buffer->Lock(0, 4, nullptr, &firstBytes, nullptr, nullptr, 0), DSERR_INVALIDPARAM);

    ASSERT_EQ(buffer->Lock(4, 4, &first, &firstBytes, nullptr, nullptr, 0), DS_OK);
    uint8_t elsewhere[4];
    EXPECT_EQ(buffer->Unlock(elsewhere, 4, nullptr, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->Unlock(first, 5, nullptr, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->Unlock(first, 4, nullptr, 0), DS_OK);
    EXPECT_EQ(buffer->Unlock(first, 4, nullptr, 0), DSERR_INVALIDPARAM) << "already unlocked";
}

TEST_F(SoundBufferLock, LocksFromTheWriteCursor) {
    ASSERT_EQ(buffer->SetCurrentPosition(8), DS_OK);
    void* first = nullptr;
    void* second = nullptr;
    DWORD firstBytes = 0;
    DWORD secondBytes = 0;
    ASSERT_EQ(
        buffer->Lock(0, 12, &first, &firstBytes, &second, &secondBytes, DSBLOCK_FROMWRITECURSOR),
        DS_OK);
    EXPECT_EQ(*static_cast<uint8_t*>(first), 8);
    EXPECT_EQ(firstBytes, 8u);
    EXPECT_EQ(secondBytes, 4u);
    EXPECT_EQ(buffer->Unlock(first, 0, second, 0), DS_OK);
}

TEST_F(SoundBufferLock, AnUnfinishedLockIsFreedWithTheBuffer) {
    void* first = nullptr;
    DWORD firstBytes = 0;
    ASSERT_EQ(buffer->Lock(0, 16, &first, &firstBytes, nullptr, nullptr, 0), DS_OK);
    // Released in TearDown with the lock still open: the sanitizer build checks for leaks.
}

}  // namespace
