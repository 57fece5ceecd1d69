#include "scale_data/scale_data.h"

#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "kora4/vbank4.h"
#include "standins/file_io.h"
#include "standins/utf.h"
#include "trak4/sequence_document.h"
#include "trak4/trak_manager.h"
#include "vbank4/catalog.h"
#include "vbank4/exports.h"

namespace scaledata {
namespace fs = std::filesystem;
namespace {

constexpr int kBanks = 128;
constexpr int kGroupedVoices = 96;
constexpr int kGroupSize = 4;

const char16_t* const kVoiceNames[] = {
    u"Aurora", u"Basalt",  u"Celeste", u"Dorian", u"Élodie",   u"Fenna", u"Garnet", u"Halcyon",
    u"Iris",   u"Joaquín", u"Kestrel", u"Lumen",  u"Mireille", u"Nadir", u"Orla",   u"さくら"};
const char16_t* const kShades[] = {u"Bright",  u"soft",  u"Warm", u"airy", u"Dark",  u"clear",
                                   u"Husky",   u"round", u"Thin", u"full", u"Sharp", u"smooth",
                                   u"Breathy", u"nasal", u"Deep", u"light"};

std::u16string Number(int value, int digits) {
    std::u16string text(static_cast<std::size_t>(digits), u'0');
    for (int i = digits - 1; i >= 0; --i, value /= 10) {
        text[static_cast<std::size_t>(i)] = static_cast<char16_t>(u'0' + value % 10);
    }
    return text;
}

std::u16string VoiceName(int32_t bank) {
    return std::u16string(kVoiceNames[bank % 16]) + u" " + Number(bank / 16 + 1, 1);
}

// A parameter value in -127..127 that varies with the seed.
int32_t Param(int seed) { return (seed * 37 + 11) % 255 - 127; }

std::optional<int32_t> PartnerOf(int32_t bank) {
    if (bank >= kGroupedVoices) return std::nullopt;
    const int32_t first = bank - bank % kGroupSize;
    return first + (bank + 1) % kGroupSize;
}

vbank4::Catalog MakeCatalog() {
    vbank4::Catalog catalog;
    for (int32_t bank = 0; bank < kBanks; ++bank) {
        catalog.voices.push_back({VoiceIdOf(bank),
                                  VoiceName(bank),
                                  bank,
                                  {bank % 21 - 10, 20 - bank % 41, bank % 15, -(bank % 9), 0},
                                  u"generated voice"});
    }
    for (int first = 0; first < kGroupedVoices; first += kGroupSize) {
        vbank4::CatalogGroup group{u"Ensemble " + Number(first / kGroupSize + 1, 2), {}};
        for (int k = first; k < first + kGroupSize; ++k) group.memberIds.push_back(VoiceIdOf(k));
        catalog.groups.push_back(std::move(group));
    }
    return catalog;
}

// Singer i of a list; `list` 0 is Active, 1 is My, so the two differ.
trak4::SequenceVoice Singer(int index, int list) {
    const int32_t bank = BankOf(index);
    const int32_t program = ProgramOf(index);
    trak4::SequenceVoice voice;
    voice.bank = bank;
    voice.program = program;
    voice.primaryId = VoiceIdOf(bank);
    voice.name = VoiceName(bank) + u" " + kShades[(program * 7 + list * 3) % 16] +
                 (list == 0 ? u" part " : u" take ") + Number(program, 3);
    const int seed = index * 2 + list;
    voice.primary = {Param(seed), Param(seed + 1), Param(seed + 2), Param(seed + 3), list, 0};
    if (const auto partner = PartnerOf(bank); partner && program % 2 == 0) {
        voice.secondaryId = VoiceIdOf(*partner);
        voice.secondary = {Param(seed + 4), Param(seed + 5), Param(seed + 6), Param(seed + 7), 0,
                           Param(seed + 8)};
    }
    return voice;
}

template <std::size_t N>
void CopyField(const std::u16string& text, char16_t (&field)[N]) {
    if (text.size() >= N) throw std::runtime_error("generated text too long");
    text.copy(field, text.size());
    field[text.size()] = u'\0';
}

// VBANK4_HOME set for as long as the object lives.
class DataFolderVariable {
public:
    explicit DataFolderVariable(const fs::path& folder) {
#if defined(_WIN32)
        if (const wchar_t* old = _wgetenv(L"VBANK4_HOME")) old_ = old;
        _wputenv_s(L"VBANK4_HOME", folder.c_str());
#else
        if (const char* old = std::getenv("VBANK4_HOME")) old_ = old;
        setenv("VBANK4_HOME", folder.c_str(), 1);
#endif
    }
    ~DataFolderVariable() {
#if defined(_WIN32)
        _wputenv_s(L"VBANK4_HOME", old_ ? old_->c_str() : L"");
#else
        if (old_) {
            setenv("VBANK4_HOME", old_->c_str(), 1);
        } else {
            unsetenv("VBANK4_HOME");
        }
#endif
    }
    DataFolderVariable(const DataFolderVariable&) = delete;
    DataFolderVariable& operator=(const DataFolderVariable&) = delete;

private:
    std::optional<fs::path::string_type> old_;
};

void Require(bool done, const std::string& what) {
    if (!done) throw std::runtime_error(what);
}

void RequireOk(int32_t result, const std::string& what) {
    Require(result == 0, what + " answered " + std::to_string(result));
}

// The database library's own session: initialised here, released however
// the creation ends, so nothing uncommitted becomes lasting.
class DatabaseSession {
public:
    DatabaseSession() { RequireOk(DBM_Init(), "DBM_Init"); }
    ~DatabaseSession() { DBM_Delete(); }
    DatabaseSession(const DatabaseSession&) = delete;
    DatabaseSession& operator=(const DatabaseSession&) = delete;
};

void CreateMySingers(const fs::path& database, int count) {
    DataFolderVariable home(database);
    DatabaseSession session;
    const uint32_t editor = DBM_GetEditor();
    Require(editor != 0, "DBM_GetEditor handed out no editor");
    for (int i = 0; i < count; ++i) {
        const trak4::SequenceVoice singer = Singer(i, 1);
        DBM_VVOICE_INFO info{};
        info.bank = singer.bank;
        RequireOk(DBM_CreateVirtualVoice(editor, singer.bank, &info.program,
                                         singer.primaryId.c_str(), singer.name.c_str()),
                  "DBM_CreateVirtualVoice");
        Require(info.program == singer.program, "the database chose another program");
        const AxVVoiceParam& p = singer.primary;
        const AxVVoiceParam& s = singer.secondary;
        const int32_t primary[5] = {p.BRE, p.BRI, p.CLE, p.GEN, p.AUX};
        const int32_t secondary[6] = {s.BRE, s.BRI, s.CLE, s.GEN, s.AUX, s.VOL};
        std::copy(std::begin(primary), std::end(primary), info.primaryParams);
        std::copy(std::begin(secondary), std::end(secondary), info.secondaryParams);
        CopyField(singer.name, info.name);
        CopyField(VoiceName(singer.bank), info.primaryName);
        CopyField(singer.primaryId, info.primaryVoiceId);
        CopyField(singer.secondaryId, info.secondaryVoiceId);
        RequireOk(DBM_SetVirtualVoiceInfo(editor, &info), "DBM_SetVirtualVoiceInfo");
    }
    if (count > 0) {
        const int middle = (count - 1) / 2;
        RequireOk(DBM_SetDefaultVirtualVoice(editor, BankOf(middle), ProgramOf(middle)),
                  "DBM_SetDefaultVirtualVoice");
    }
    RequireOk(DBM_CommitEditor(editor), "DBM_CommitEditor");
}

void SaveSequence(const Layout& layout, Counts counts) {
    trak4::TrakManager manager;
    for (int i = 0; i < counts.active; ++i) {
        const trak4::SequenceVoice v = Singer(i, 0);
        Require(manager.vvoiceInsertVVoiceV4(v.bank, v.program, v.primaryId.c_str(),
                                             v.secondaryId.c_str(), v.name.c_str(), v.primary,
                                             v.secondary) == 1,
                "the sequence refused an Active singer");
    }
    AxVVoiceLibTable library;
    for (int i = 0; i < counts.my; ++i) {
        const trak4::SequenceVoice v = Singer(i, 1);
        library[{v.bank, v.program}] = {v.bank, v.program, v.primaryId, v.secondaryId,
                                        v.name, v.primary, v.secondary};
    }
    Require(manager.sysReplaceVVoiceLibTable(library) == 1, "the sequence refused its library");
    trak4::SequenceDocument document = manager.Document();
    trak4::SaveSequence(document, layout.sequence);
}

}  // namespace

Layout DemoLayout(const fs::path& folder) { return {folder / "vbank4", folder / "Demo Song.json"}; }

int32_t BankOf(int index) { return index % kBanks; }
int32_t ProgramOf(int index) { return index / kBanks; }

std::u16string VoiceIdOf(int32_t bank) {
    return u"VB4X" + Number(bank, 3) + u"SCALE" + Number(bank * 7 % 10000, 4);
}

void Write(const Layout& layout, Counts counts) {
    Require(counts.active >= 0 && counts.active <= kMaxSingers && counts.my >= 0 &&
                counts.my <= kMaxSingers,
            "a list holds 0 to 16384 singers");
    std::error_code ec;
    Require(!fs::exists(layout.database, ec) || fs::is_empty(layout.database, ec),
            layout.database.string() + " is not empty");
    fs::create_directories(layout.database, ec);
    Require(!ec, "cannot create " + layout.database.string() + ": " + ec.message());
    Require(standins::WriteFileAtomically(layout.database / "catalog.json",
                                          vbank4::SerializeCatalog(MakeCatalog())),
            "cannot write the catalog");
    CreateMySingers(layout.database, counts.my);
    SaveSequence(layout, counts);
}

}  // namespace scaledata
