// The host's sequence manager (Trak4) as the Singer Editor uses it.
//
// Member functions answer non-zero for success and 0 for failure. Strings
// are null-terminated UTF-16; an empty secondary voiceId means none.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>

// A voice parameter set; each value -127..127. VOL is 0 in a primary set.
struct AxVVoiceParam {
    int32_t BRE = 0;  // breathiness
    int32_t BRI = 0;  // brightness
    int32_t CLE = 0;  // clearness
    int32_t GEN = 0;  // gender factor
    int32_t AUX = 0;  // kept and passed on, never shown
    int32_t VOL = 0;  // volume of the secondary singer
};

// One record of the sequence's virtual-voice library table.
struct AxVVoiceLib {
    int32_t bank = 0;
    int32_t program = 0;
    std::u16string primaryId;
    std::u16string secondaryId;
    std::u16string name;
    AxVVoiceParam primary;
    AxVVoiceParam secondary;
};

using AxVVoiceLibKey = std::pair<int32_t, int32_t>;  // (bank, program)
using AxVVoiceLibTable = std::map<AxVVoiceLibKey, AxVVoiceLib>;

// A virtual voice of the sequence; owned by the sequence manager.
class IAxVVoice {
public:
    // Slots the module never calls; they keep the accessors where the
    // host's voice objects have them.
    virtual int32_t Reserved0() const = 0;
    virtual int32_t Reserved1() const = 0;
    virtual int32_t Reserved2() const = 0;
    virtual int32_t Reserved3() const = 0;
    virtual int32_t Reserved4() const = 0;

    virtual int32_t GetBank() const = 0;
    virtual int32_t GetProgram() const = 0;
    virtual const char16_t* GetPrimaryVoiceId() const = 0;
    virtual const char16_t* GetSecondaryVoiceId() const = 0;
    virtual const char16_t* GetName() const = 0;
    virtual const int32_t* GetPrimaryParams() const = 0;    // BRE, BRI, CLE, GEN, AUX
    virtual const int32_t* GetSecondaryParams() const = 0;  // BRE, BRI, CLE, GEN, AUX, VOL

protected:
    ~IAxVVoice() = default;
};

// The sequence manager of the open sequence.
class CAxTrakManagerIF {
public:
    virtual IAxVVoice* vvoiceGetVVoice(int32_t bank, int32_t program) const = 0;
    virtual int32_t vvoiceInsertVVoiceV4(int32_t bank, int32_t program, const char16_t* primaryId,
                                         const char16_t* secondaryId, const char16_t* name,
                                         const AxVVoiceParam& primary,
                                         const AxVVoiceParam& secondary) = 0;
    // The primary voice of an existing virtual voice never changes.
    virtual int32_t vvoiceUpdateVVoiceV4(int32_t bank, int32_t program, const char16_t* name,
                                         const char16_t* secondaryId, const AxVVoiceParam& primary,
                                         const AxVVoiceParam& secondary) = 0;
    virtual int32_t vvoiceRemoveVVoice(int32_t bank, int32_t program) = 0;
    virtual void vvoiceInitializeUpdateContext() = 0;
    virtual void vvoiceNotifyObserversOfUpdates() = 0;
    virtual int32_t sysReplaceVVoiceLibTable(const AxVVoiceLibTable& table) = 0;
    // The open sequence file's path; empty for a sequence never saved.
    virtual std::u16string fileGetCurrentFilePath() const = 0;

protected:
    ~CAxTrakManagerIF() = default;
};
