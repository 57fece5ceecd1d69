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

TEST(SequenceDocument, SampleUsesTheCatalogsVoicesAndOneThatIsNotInstalled) {
    const trak4::SequenceDocument sample = trak4::LoadSequence(kSample);
    EXPECT_EQ(sample.filePath, kSample);
    ASSERT_EQ(sample.voices.size(), 6u);
    EXPECT_EQ(sample.library.size(), 3u);
    EXPECT_EQ(sample.voices.at({1, 2}).name, u"ハルカ Duet");
    const std::string catalog =
        testing_support::ReadFile(std::filesystem::path(VBANK4_SAMPLE_DIR) / "catalog.json");
    int notInstalled = 0;
    for (const auto& [pair, voice] : sample.voices) {
        EXPECT_EQ(pair, (AxVVoiceLibKey{voice.bank, voice.program}));
        const std::string id(voice.primaryId.begin(), voice.primaryId.end());
        notInstalled += catalog.find("\"voiceId\": \"" + id + '"') == std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(notInstalled, 1);
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

    const std::function<void(trak4::SequenceDocument&)> changes[] = {
        [](auto& d) {
            d.voices[{0, 0}].name += u"!";
        },
        [](auto& d) {
            d.voices[{0, 0}].secondaryId.clear();
        },
        [](auto& d) {
            d.voices[{0, 0}].primary.AUX = 0;
        },
        [](auto& d) {
            d.voices[{0, 0}].secondary.VOL = 0;
        },
        [](auto& d) {
            d.library[{3, 4}].primaryId = u"VB4S00AURORA0001";
        },
        [](auto& d) {
            d.library[{3, 4}].secondary.GEN = 9;
        },
        [](auto& d) { d.library.clear(); }};
    for (const auto& change : changes) {
        trak4::SequenceDocument changed = RichDocument();
        change(changed);
        EXPECT_FALSE(trak4::SameContent(changed, RichDocument()));
    }
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

}  // namespace
