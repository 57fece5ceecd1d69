#include "status_text.h"

#include <gtest/gtest.h>

#include <set>

#include "kora4/kora4.h"

namespace kora::demo {
namespace {

TEST(StatusText, HexadecimalWithEightDigits) {
    EXPECT_EQ(StatusHex(0), "0x00000000");
    EXPECT_EQ(StatusHex(0x83094001), "0x83094001");
    EXPECT_EQ(StatusHex(0xA3092000), "0xA3092000");
}

TEST(StatusText, EveryExportStatusHasAMeaningOfItsOwn) {
    using namespace kora4;
    std::set<std::string> meanings;
    const uint32_t statuses[] = {kOk,
                                 kDbmInitFailedMinus2,
                                 kDeleteFailed,
                                 kNotInitialized,
                                 kDbmInitFailedMinus3,
                                 kNoHostHandle,
                                 kNoTrakManager,
                                 kNoBankPointer,
                                 kNoProgramPointer,
                                 kPickEndedOtherwise,
                                 kPickOutOfRange,
                                 kPickCancelled,
                                 kDbmInitFailedMinus1,
                                 kDatabaseFailed,
                                 kVoiceListInconsistent,
                                 kSequenceUpdateRefused,
                                 kSequenceInsertRefused,
                                 kSequenceRemoveRefused,
                                 kLibraryTableRefused,
                                 kOtherFailure};
    for (uint32_t status : statuses) {
        const std::string meaning = StatusMeaning(status);
        EXPECT_NE(meaning, "unknown status") << StatusHex(status);
        EXPECT_TRUE(meanings.insert(meaning).second) << StatusHex(status);
    }
    EXPECT_EQ(StatusMeaning(kBindLoadFailed), "unknown status");  // never returned
    EXPECT_EQ(StatusMeaning(0x12345678), "unknown status");
}

}  // namespace
}  // namespace kora::demo
