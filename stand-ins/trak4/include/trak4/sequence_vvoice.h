// A virtual voice of the sequence as the module reads it through IAxVVoice.
#pragma once

#include <array>

#include "kora4/trak4.h"
#include "trak4/sequence_document.h"

namespace trak4 {

class SequenceVVoice final : public IAxVVoice {
public:
    explicit SequenceVVoice(const SequenceVoice& voice) { Assign(voice); }
    SequenceVVoice(const SequenceVVoice&) = delete;
    SequenceVVoice& operator=(const SequenceVVoice&) = delete;
    virtual ~SequenceVVoice() = default;

    void Assign(const SequenceVoice& voice);
    const SequenceVoice& Voice() const { return voice_; }

    int32_t Reserved0() const override { return 0; }
    int32_t Reserved1() const override { return 0; }
    int32_t Reserved2() const override { return 0; }
    int32_t Reserved3() const override { return 0; }
    int32_t Reserved4() const override { return 0; }

    int32_t GetBank() const override { return voice_.bank; }
    int32_t GetProgram() const override { return voice_.program; }
    const char16_t* GetPrimaryVoiceId() const override { return voice_.primaryId.c_str(); }
    const char16_t* GetSecondaryVoiceId() const override { return voice_.secondaryId.c_str(); }
    const char16_t* GetName() const override { return voice_.name.c_str(); }
    const int32_t* GetPrimaryParams() const override { return primary_.data(); }
    const int32_t* GetSecondaryParams() const override { return secondary_.data(); }

private:
    SequenceVoice voice_;
    std::array<int32_t, 6> primary_{};
    std::array<int32_t, 6> secondary_{};
};

}  // namespace trak4
