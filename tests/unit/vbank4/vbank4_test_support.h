// A database folder made from the bundled sample, named by VBANK4_HOME for
// the duration of a test, and small readers of the database's answers.
#pragma once

#include <gtest/gtest.h>

#include <optional>

#include "kora4/vbank4.h"
#include "temp_folder.h"
#include "vbank4/exports.h"
#include "vbank4/results.h"

namespace testing_support {

using Pair = std::pair<int32_t, int32_t>;
inline const std::filesystem::path kSampleDir = VBANK4_SAMPLE_DIR;
// Voices of the sample catalog: bank 0 ("Aurora", "Élodie", "さくら"), bank 5 in no group.
inline constexpr const char16_t *kAurora = u"VB4S00AURORA0001", *kElodie = u"VB4S00ELODIE0003",
                                *kSakura = u"VB4S00SAKURA0004", *kTindra = u"VB4S05TINDRA0012";

struct SampleHome : TempFolder {
    SampleHome() {
        for (const char* name : {"catalog.json", "store.json"})
            std::filesystem::copy_file(kSampleDir / name, *this / name);
        ::setenv("VBANK4_HOME", path().c_str(), 1);
    }
};

// The virtual voice at a pair, or nullopt when the database answers
// "no virtual voice" (any other answer fails the test).
inline std::optional<DBM_VVOICE_INFO> InfoAt(int32_t bank, int32_t program) {
    DBM_VVOICE_INFO info{};
    const int32_t result = DBM_GetVirtualVoiceInfo(bank, program, &info);
    if (result == kDbmNoVirtualVoice) return std::nullopt;
    EXPECT_EQ(result, 0) << "at " << bank << "," << program;
    return info;
}

inline std::u16string NameAt(int32_t bank, int32_t program) {
    const auto info = InfoAt(bank, program);
    return info ? std::u16string(info->name) : u"<none>";
}

inline Pair DefaultPair() {
    int32_t bank = -1, program = -1;
    return DBM_GetDefaultVirtualVoice(&bank, &program) == 0 ? Pair{bank, program} : Pair{-1, -1};
}

inline int VirtualVoiceCount() {
    int count = 0;
    for (int32_t pair = 0; pair < 128 * 128; ++pair)
        count += InfoAt(pair / 128, pair % 128) ? 1 : 0;
    return count;
}

// Creates a virtual voice and answers its program, failing the test otherwise.
inline int32_t CreateVoice(uint32_t editor, int32_t bank, const char16_t* voiceId,
                           const char16_t* name) {
    int32_t program = -1;
    EXPECT_EQ(DBM_CreateVirtualVoice(editor, bank, &program, voiceId, name), 0);
    return program;
}

// The sample database, initialized for each test and released after it.
class SampleDatabase : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(DBM_Init(), 0); }
    void TearDown() override { DBM_Delete(); }
    void Reload() {  // what a later session of the library sees
        ASSERT_EQ(DBM_Delete(), 0);
        ASSERT_EQ(DBM_Init(), 0);
    }
    std::string Store() const { return ReadFile(home_ / "store.json"); }

    SampleHome home_;
};

}  // namespace testing_support
