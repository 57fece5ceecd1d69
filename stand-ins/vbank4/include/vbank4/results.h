// Results of the vbank4 stand-in's entry points.
//
// Every entry point answers 0 for success. DBM_Init answers 1 when the
// library was initialized already, and one of the four negative codes when it
// cannot start. All other failures are 0x830A5xxx values.
#pragma once

#include <cstdint>

#include "kora4/vbank4.h"

namespace vbank4 {

inline constexpr int32_t kOk = 0;
inline constexpr int32_t kAlreadyInitialized = 1;

// DBM_Init
inline constexpr int32_t kInitNoDataFolder = -1;    // no folder named, or not a folder
inline constexpr int32_t kInitCatalogMissing = -2;  // catalog.json missing or unreadable
inline constexpr int32_t kInitCatalogInvalid = -3;  // catalog.json is not a valid catalog
inline constexpr int32_t kInitStoreInvalid = -4;    // store.json unreadable, corrupt or cut short

constexpr int32_t Failure(uint32_t code) { return static_cast<int32_t>(code); }

inline constexpr int32_t kNotInitialized = Failure(0x830A5001);
// A null pointer, a pair outside 0..127, a text too long or not terminated
// within its 260-unit field, a voiceId of the wrong length, a parameter
// outside -127..127.
inline constexpr int32_t kInvalidArgument = Failure(0x830A5002);
inline constexpr int32_t kBadHandle = Failure(0x830A5003);      // not the open editor's handle
inline constexpr int32_t kNoVirtualVoice = kDbmNoVirtualVoice;  // 0x830A5004
inline constexpr int32_t kBankFull = Failure(0x830A5005);
inline constexpr int32_t kUnknownVoice = Failure(0x830A5006);  // voiceId not installed
inline constexpr int32_t kIoError = Failure(0x830A5007);       // a file could not be written
// Another process committed since this one read the store; nothing was
// written. Rolling back loads the other process's state.
inline constexpr int32_t kStoreChanged = Failure(0x830A5008);
inline constexpr int32_t kNotSupported = Failure(0x830A5009);
inline constexpr int32_t kInternalError = Failure(0x830A500A);  // out of memory and the like

static_assert(kNoVirtualVoice == Failure(0x830A5004));

}  // namespace vbank4
