// Exported API of kora4.dll, the Singer Editor module.
//
// Five cdecl functions exported by undecorated name; every one returns a
// 32-bit unsigned status and lets no exception escape.
#pragma once

#include <cstdint>

#if defined(_WIN32)
#define KORA_CALL __cdecl
#else
#define KORA_CALL
#endif

class CAxTrakManagerIF;
class LumiM17NModule;

extern "C" {
uint32_t KORA_CALL KORA_Init(void);
uint32_t KORA_CALL KORA_Delete(void);
uint32_t KORA_CALL KORA_SetLumiM17NModule(const LumiM17NModule* module);
uint32_t KORA_CALL KORA_OpenDefDialog(uint32_t hostHandle, CAxTrakManagerIF* trakManager,
                                      uint32_t initialSelection);
uint32_t KORA_CALL KORA_OpenDefDialog_ReadOnly(uint32_t hostHandle, CAxTrakManagerIF* trakManager,
                                               int32_t* outBank, int32_t* outProgram);
}

// Function pointer types for hosts that load the module at run time.
using PFN_KORA_Init = uint32_t(KORA_CALL*)(void);
using PFN_KORA_Delete = uint32_t(KORA_CALL*)(void);
using PFN_KORA_SetLumiM17NModule = uint32_t(KORA_CALL*)(const LumiM17NModule*);
using PFN_KORA_OpenDefDialog = uint32_t(KORA_CALL*)(uint32_t, CAxTrakManagerIF*, uint32_t);
using PFN_KORA_OpenDefDialog_ReadOnly = uint32_t(KORA_CALL*)(uint32_t, CAxTrakManagerIF*, int32_t*,
                                                             int32_t*);

namespace kora4 {

// Status codes. 0x83...: failure; 0xA3092000: a cancelled pick, the one
// non-success result that is no failure. 0x8309....: the module's own;
// 0x830A....: the database binding's, never returned by an export.
inline constexpr uint32_t kOk = 0;
inline constexpr uint32_t kDbmInitFailedMinus2 = 0x83091004;    // DBM_Init gave -2
inline constexpr uint32_t kDeleteFailed = 0x83091005;           // library not bound or not released
inline constexpr uint32_t kNotInitialized = 0x83091006;         // DBM_Init gave -4; or no init
inline constexpr uint32_t kDbmInitFailedMinus3 = 0x83091007;    // DBM_Init gave -3
inline constexpr uint32_t kNoHostHandle = 0x83092000;           // first argument is zero
inline constexpr uint32_t kNoTrakManager = 0x83092001;          // sequence manager is null
inline constexpr uint32_t kNoBankPointer = 0x83092002;          // bank out-pointer is null
inline constexpr uint32_t kNoProgramPointer = 0x83092003;       // program out-pointer is null
inline constexpr uint32_t kPickEndedOtherwise = 0x83092004;     // neither OK nor Cancel
inline constexpr uint32_t kPickOutOfRange = 0x83092005;         // picked pair outside 0..127
inline constexpr uint32_t kPickCancelled = 0xA3092000;          // read-only dialog cancelled
inline constexpr uint32_t kDbmInitFailedMinus1 = 0x83093000;    // DBM_Init gave -1
inline constexpr uint32_t kDatabaseFailed = 0x83094000;         // load or finish step failed
inline constexpr uint32_t kVoiceListInconsistent = 0x83094001;  // installed voices malformed
inline constexpr uint32_t kSequenceUpdateRefused = 0x83095000;
inline constexpr uint32_t kSequenceInsertRefused = 0x83095001;
inline constexpr uint32_t kSequenceRemoveRefused = 0x83095002;
inline constexpr uint32_t kLibraryTableRefused = 0x83095003;
inline constexpr uint32_t kOtherFailure = 0x83096000;

// Binding status values (DbmBinding); never returned by an export.
inline constexpr uint32_t kBindLoadFailed = 0x830A1000;
inline constexpr uint32_t kBindReleaseFailed = 0x830A1001;
inline constexpr uint32_t kBindEntryMissing = 0x830A1002;
inline constexpr uint32_t kContextNotInitialized = 0x830A1003;

}  // namespace kora4
