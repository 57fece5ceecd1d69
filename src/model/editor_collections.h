// What the Singer Editor holds for one editor invocation: the lists, the
// pair maps of the Active list and the invocation's flags and results.
#pragma once

#include <cstdint>
#include <vector>

#include "kora4/vbank4.h"
#include "model/pair_map.h"
#include "model/records.h"
#include "model/voice_lookup.h"

namespace kora {

inline constexpr uint32_t kNoInitialSelection = 0xFFFFFFFF;  // unpacks to no valid pair

struct EditorCollections {
    InstalledVoiceList installedVoices;          // in the database's order
    const DbmVoiceList* dbmVoiceList = nullptr;  // owned by the database
    std::vector<SingerEntry> mySingers;          // My list, display order
    std::vector<SingerEntry> activeSingers;      // Active list, display order
    std::vector<SingerEntry> activeAtOpen;       // Active singers as loaded
    XSynthGroupList xsynthGroups;

    PairMap activeInUse;    // held by an entry of activeSingers
    PairMap activeAtLoad;   // held a virtual voice in the sequence at open
    PairMap activeRemoved;  // deleted, its voice still to be removed from the sequence
    PairMap activeDeleted;  // deleted during this invocation; never cleared

    bool myChanged = false;
    bool activeChanged = false;
    int32_t defaultBank = -1;
    int32_t defaultProgram = -1;
    int32_t pickedBank = -1;
    int32_t pickedProgram = -1;
    uint32_t initialSelection = kNoInitialSelection;
    uint32_t editorHandle = 0;  // from DBM_GetEditor; 0 until taken
    bool readOnly = false;
};

}  // namespace kora
