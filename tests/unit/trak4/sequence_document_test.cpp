// The sequence document file: the bundled sample, round trips, refusals.
#include <gtest/gtest.h>

#include <functional>

#include "standins/file_io.h"
#include "standins/json_fields.h"
#include "temp_folder.h"
#include "trak4/sequence_document.h"

namespace {

using testing_support::TempFolder;

const std::filesystem::path kSample = std::filesystem::path(TRAK4_SAMPLE_DIR) / "sequence.json";

AxVVoiceParam Params(int32_t base) {
    return {base, base + 1, base + 2, base + 3, base + 4, base + 5};
}

trak4::SequenceDocument RichDocument() {
    trak4::SequenceDocument document;
    document.voices[{0, 0}] = {
        0,          0, u"VB4S00AURORA0001", u"VB4S00ELODIE0003", u"Zoë \U0001F3B5", Params(-127),
        Params(122)};
    document.voices[{127, 127}] = {
        127, 127, u"VB4S09RETIRE0099", u"", std::u16string(400, u'長'), Params(0), Params(0)};
    document.library[{3, 4}] = {3, 4, u"VB4S00SAKURA0004", u"", u"さくら", Params(1), Params(-1)};
    return document;
}

TEST(SequenceDocument, SaveAndLoadKeepEveryFieldAndComparisonSeesEveryOne) {
    TempFolder folder;
    trak4::SequenceDocument document = RichDocument();
    trak4::SaveSequence(document, folder / "song.json");
    EXPECT_EQ(document.filePath, folder / "song.json");
    const trak4::SequenceDocument loaded = trak4::LoadSequence(folder / "song.json");
    EXPECT_TRUE(trak4::SameContent(loaded, document));
    EXPECT_EQ(loaded.filePath, folder / "song.json");
    document.voices.erase({0, 0});  // saving over a file replaces it whole
    trak4::SaveSequence(document, folder / "song.json");
    EXPECT_EQ(trak4::LoadSequence(folder / "song.json").voices.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(folder / "song.json.tmp"));

    const auto change = [](auto& v, int field) {
        if (field == 0) v.name += u"!";
        if (field == 1) v.secondaryId += u"x";
        if (field == 2) v.primaryId = u"x";
        if (field == 3) v.primary.AUX = 0;
        if (field == 4) v.secondary.VOL = 0;
    };
    for (int field = 0; field < 5; ++field) {
        trak4::SequenceDocument voice = RichDocument(), library = RichDocument();
        change(voice.voices[{0, 0}], field);
        change(library.library[{3, 4}], field);
        EXPECT_FALSE(trak4::SameContent(voice, RichDocument()));
        EXPECT_FALSE(trak4::SameContent(library, RichDocument()));
    }
    EXPECT_FALSE(trak4::SameContent({RichDocument().voices, {}, {}}, RichDocument()));
}

TEST(SequenceDocument, DamagedFilesAreRefused) {
    const std::string whole = trak4::SerializeSequence(RichDocument());
    const std::size_t end = whole.find_last_not_of(" \n") + 1;
    for (std::size_t cut = 0; cut < end; cut += 7) {
        EXPECT_THROW(trak4::ParseSequence(whole.substr(0, cut)), standins::FormatError) << cut;
    }
    const std::function<void(standins::Json&)> damages[] = {
        [](auto& d) { d["virtualVoices"][1]["bank"] = d["virtualVoices"][1]["program"] = 0; },
        [](auto& d) { d["virtualVoices"][0]["bank"] = 128; },
        [](auto& d) { d["virtualVoices"][0]["primaryVoiceId"] = ""; },
        [](auto& d) { d["virtualVoices"][0]["primary"]["VOL"] = -128; },
        [](auto& d) { d["library"][0].erase("secondary"); },
        [](auto& d) { d["library"] = nullptr; },
        [](auto& d) { d["format"] = "vbank4-store"; }};
    for (const auto& damage : damages) {
        standins::Json document = standins::Json::parse(whole);
        damage(document);
        EXPECT_THROW(trak4::ParseSequence(document.dump()), standins::FormatError);
    }
    TempFolder folder;
    EXPECT_THROW(trak4::LoadSequence(folder / "missing.json"), standins::FileError);
    EXPECT_THROW(trak4::LoadSequence(folder.path()), standins::FileError);
    trak4::SequenceDocument document;
    EXPECT_THROW(trak4::SaveSequence(document, folder / "no" / "such" / "folder.json"),
                 standins::FileError);
    EXPECT_TRUE(document.filePath.empty());
}

TEST(SequenceDocument, DeepOrHugeFilesAreRefused) {
    const std::string whole = trak4::SerializeSequence(RichDocument());
    const auto nested = [&](std::size_t depth) {
        return "{\"zzz\": " + std::string(depth, '[') + std::string(depth, ']') + "," +
               whole.substr(1);
    };
    EXPECT_TRUE(trak4::SameContent(trak4::ParseSequence(nested(60)), RichDocument()));
    EXPECT_THROW(trak4::ParseSequence(nested(100000)), standins::FormatError);
    TempFolder folder;
    testing_support::WriteFile(folder / "huge.json",
                               whole + std::string(standins::kMaxFileBytes, ' '));
    EXPECT_THROW(trak4::LoadSequence(folder / "huge.json"), standins::FormatError);
}

}  // namespace
