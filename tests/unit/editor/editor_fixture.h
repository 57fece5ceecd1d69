// A small world for the invocation tests: three installed voices, a
// sequence with four Active singers (and two whose primary voice is not
// installed), three My singers, all recorded in one CallLog.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "call_log.h"
#include "editor/run_editor.h"
#include "fake_database.h"
#include "logging_trak_manager.h"
#include "scripted_editor_dialog.h"

namespace kora::test {

inline constexpr char16_t kAnna[] = u"VOICE-ANNA-00001";
inline constexpr char16_t kBert[] = u"VOICE-BERT-00002";
inline constexpr char16_t kCleo[] = u"VOICE-CLEO-00003";

inline SingerEntry Singer(int32_t bank, int32_t program, std::u16string name,
                          std::u16string primaryId, std::u16string secondaryId = u"",
                          int32_t seed = 0) {
    SingerEntry s;
    s.bank = bank;
    s.program = program;
    s.name = std::move(name);
    s.primaryId = std::move(primaryId);
    s.secondaryId = std::move(secondaryId);
    for (int i = 0; i < 5; ++i) s.primaryParams[static_cast<std::size_t>(i)] = seed + i;
    for (int i = 0; i < 6; ++i) s.secondaryParams[static_cast<std::size_t>(i)] = -(seed + i);
    return s;
}

class EditorTest : public testing::Test {
protected:
    void SetUp() override {
        database.AddVoice(kAnna, u"Anna", 0, {1, 2, 3, 4, 5});
        database.AddVoice(kBert, u"Bert", 0, {-1, -2, -3, -4, -5});
        database.AddVoice(kCleo, u"Cleo", 2, {10, 20, 30, 40, 50});

        for (const SingerEntry& singer :
             {Singer(0, 0, u"Zed", kAnna, u"", 10), Singer(0, 1, u"alto", kBert, kAnna, 20),
              Singer(0, 3, u"Alto", kAnna, u"", 30), Singer(2, 0, u"Choir", kCleo, kBert, 40),
              // Primary voices that are not installed: one unknown, one that
              // differs from an installed id only in letter case.
              Singer(1, 5, u"Ghost", u"VOICE-XXXX-00009", u"", 50),
              Singer(0, 7, u"Lower", u"voice-anna-00001", u"", 60)}) {
            document.voices[{singer.bank, singer.program}] = SequenceVoiceOf(singer);
        }
        trak = std::make_unique<LoggingTrakManager>(log, document);

        database.AddVirtualVoice(Singer(0, 0, u"Mine", kAnna, kCleo, 70), u"Anna");
        database.AddVirtualVoice(Singer(2, 4, u"Other", kCleo, u"", 80), u"Cleo");
        database.AddVirtualVoice(Singer(0, 9, u"another", kBert, u"", 90), u"Bert");

        bound = std::make_unique<BoundContext>(database);
        log.Clear();
    }

    uint32_t Run(uint32_t initialSelection = kNoInitialSelection) {
        return editor::RunEditor(dialog, bound->Context(), trak.get(), initialSelection);
    }
    uint32_t RunReadOnly(int32_t* outBank, int32_t* outProgram) {
        return editor::RunEditorReadOnly(dialog, bound->Context(), trak.get(), outBank, outProgram);
    }
    editor::EditorSession& Session() { return dialog.Session(); }

    // The log from the dialog's run on.
    std::vector<std::string> AfterDialog() const { return log.From("dialog"); }

    CallLog log;
    FakeDatabase database{log};
    trak4::SequenceDocument document;  // the sequence as the host opened it
    std::unique_ptr<LoggingTrakManager> trak;
    std::unique_ptr<BoundContext> bound;
    ScriptedEditorDialog dialog{log};
};

using Calls = std::vector<std::string>;

inline Calls Concat(std::initializer_list<Calls> parts) {
    Calls all;
    for (const Calls& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

inline std::vector<std::u16string> Names(const std::vector<SingerEntry>& singers) {
    std::vector<std::u16string> names;
    for (const SingerEntry& s : singers) names.push_back(s.name);
    return names;
}

// Whether the sequence's voices are those of `document`, field by field.
inline bool SameVoices(const trak4::SequenceDocument& a, const trak4::SequenceDocument& b) {
    trak4::SequenceDocument left = a;
    trak4::SequenceDocument right = b;
    left.library.clear();
    right.library.clear();
    return trak4::SameContent(left, right);
}

}  // namespace kora::test
