#include "voice_database.h"

#include <algorithm>
#include <string>

#include "editor/load_steps.h"
#include "editor/my_singer_steps.h"
#include "kora4/kora4.h"
#include "model/pair_map.h"
#include "model/records.h"
#include "model/text_codec.h"
#include "tool_error.h"

namespace kora::singers {
namespace {

using api::CallDbm;
using api::DbmEntry;
using api::DbmSucceeded;

[[noreturn]] void Fail(const std::string& message) { throw ToolError(kExitDatabase, message); }

std::string Hex(int32_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text = "0x";
    for (int shift = 28; shift >= 0; shift -= 4) {
        text += kDigits[(static_cast<uint32_t>(value) >> shift) & 0xF];
    }
    return text;
}

std::string Result(const std::optional<int32_t>& result) {
    return result ? "result " + std::to_string(*result) + " (" + Hex(*result) + ")"
                  : "entry point not bound";
}

std::string BindFailure(int32_t status, const std::string& name) {
    switch (static_cast<uint32_t>(status)) {
        case kora4::kBindLoadFailed:
            return "cannot load the voice database library " + name;
        case kora4::kBindEntryMissing:
            return "the voice database library " + name + " lacks an entry point";
        default:
            break;
    }
    // The stand-in's meanings of DBM_Init's failures.
    switch (status) {
        case -1:
            return "the voice database has no data folder (set VBANK4_HOME, --catalog or --store "
                   "to an existing folder)";
        case -2:
            return "the voice database folder holds no readable catalog.json";
        case -3:
            return "catalog.json of the voice database is not a valid catalog";
        case -4:
            return "store.json of the voice database is damaged or cut short";
        default:
            return "the voice database did not start: DBM_Init gave " + std::to_string(status);
    }
}

bool InRange(const int32_t* values, int count) {
    for (int i = 0; i < count; ++i) {
        if (values[i] < -kParamLimit || values[i] > kParamLimit) return false;
    }
    return true;
}

std::string VoiceLabel(int32_t index) { return "installed voice " + std::to_string(index + 1); }

// A DBM_Init that throws is a database that did not start.
api::DbmBinding Bind(const std::filesystem::path& library) {
    try {
        return api::DbmBinding::Bind(library);
    } catch (...) {
        Fail("the voice database did not start: DBM_Init failed with an exception");
    }
}

}  // namespace

VoiceDatabase::VoiceDatabase(const std::filesystem::path& library, const std::string& label)
    : context_(Bind(library)) {
    session_.context = &context_;
    // A status of 1 is a bound library whose DBM_Init succeeded.
    context_.initialized = context_.status == 1;
    if (!context_.initialized) {
        const std::string message = BindFailure(context_.status, label);
        context_.binding.Call<DbmEntry::Delete>();
        Fail(message);
    }
}

VoiceDatabase::~VoiceDatabase() {
    if (session_.editorHandle != 0 && pending_) RollBack();
    context_.binding.Call<DbmEntry::Delete>();
}

InstalledVoiceList VoiceDatabase::LoadInstalledVoices() const {
    DbmVoiceList* list = nullptr;
    const auto result = CallDbm<DbmEntry::GetAllVoice>(&context_, &list);
    if (!DbmSucceeded(result)) Fail("DBM_GetAllVoice failed: " + Result(result));
    if (list == nullptr || list->count < 0 || (list->count > 0 && list->entries == nullptr)) {
        Fail("the installed-voice list is inconsistent");
    }
    InstalledVoiceList voices;
    // The list promises count entries and an end marker; nothing past that is read.
    for (int32_t i = 0; i <= list->count; ++i) {
        const DbmVoiceEntry& entry = list->entries[i];
        const bool isEnd = entry.name == nullptr;
        if (isEnd != (i == list->count)) Fail("the installed-voice list is inconsistent");
        if (isEnd) break;
        const std::u16string name = entry.name;
        const std::u16string voiceId = entry.voiceId == nullptr ? u"" : entry.voiceId;
        if (name.empty() || entry.bank < 0 || entry.bank >= kPairLimit ||
            voiceId.size() != kVoiceIdLength) {
            Fail(VoiceLabel(i) + " (" + EncodeUtf8(voiceId) + ") is malformed");
        }
        int32_t params[6] = {};
        const auto got = CallDbm<DbmEntry::GetVoiceParameters>(&context_, voiceId.c_str(), params);
        if (!DbmSucceeded(got) || !InRange(params, 5)) {
            Fail("no valid default parameters for " + VoiceLabel(i) + " (" + EncodeUtf8(voiceId) +
                 "): " + Result(got));
        }
        InstalledVoice voice;
        voice.bank = entry.bank;
        voice.name = name;
        voice.voiceId = voiceId;
        std::copy_n(params, voice.defaults.size(), voice.defaults.begin());
        voices.push_back(std::move(voice));
    }
    return voices;
}

XSynthGroupList VoiceDatabase::LoadXSynthGroups() const {
    XSynthGroupList groups;
    const auto result = CallDbm<DbmEntry::GetXSynthData>(&context_, &groups);
    if (!DbmSucceeded(result)) Fail("DBM_GetXSynthData failed: " + Result(result));
    return groups;
}

std::vector<SingerEntry> VoiceDatabase::LoadMySingers(const InstalledVoiceList& voices) const {
    editor::EditorSession session;
    session.context = &context_;
    session.installedVoices = voices;
    editor::MySingerLoadFailure failure;
    if (editor::LoadMySingersWithFailure(session, failure) != kora4::kOk) {
        Fail("DBM_GetVirtualVoiceInfo failed at bank " + std::to_string(failure.bank) +
             ", program " + std::to_string(failure.program) + ": " + Result(failure.result));
    }
    return std::move(session.mySingers);
}

void VoiceDatabase::BeginEdit() {
    const auto backup = CallDbm<DbmEntry::BackupAllVirtualVoice>(&context_);
    if (!DbmSucceeded(backup)) Fail("DBM_BackupAllVirtualVoice failed: " + Result(backup));
    if (editor::TakeEditor(session_) != kora4::kOk) Fail("DBM_GetEditor gave no editing handle");
}

bool VoiceDatabase::CreateMySinger(DBM_VVOICE_INFO& record) {
    if (session_.editorHandle == 0) return false;
    // A creation the database refuses leaves nothing behind, but one whose
    // record is refused is deleted again inside the edit: either way the
    // edit may hold a change from here on.
    pending_ = true;
    return editor::CreateMySinger(session_, record);
}

void VoiceDatabase::Commit() {
    const auto committed = CallDbm<DbmEntry::CommitEditor>(&context_, session_.editorHandle);
    if (!DbmSucceeded(committed))
        Fail("DBM_CommitEditor failed: " + Result(committed) + "; nothing imported");
    pending_ = false;
    const auto registered =
        CallDbm<DbmEntry::UpdateUserRegistory>(&context_, session_.editorHandle);
    if (!DbmSucceeded(registered)) {
        Fail("the singers are stored, but DBM_UpdateUserRegistory failed: " + Result(registered));
    }
}

bool VoiceDatabase::RollBack() {
    if (session_.editorHandle == 0) return true;
    const bool done = editor::RollBackDatabase(session_) == kora4::kOk;
    if (done) pending_ = false;
    return done;
}

}  // namespace kora::singers
