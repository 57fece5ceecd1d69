// What the cross-synthesis group list shows, read from the dialog that
// holds the editor's collections: the groups and the installed voices that
// name their members. The group list finds it through the singer edit
// dialog's owner.
#pragma once

#include "kora4/vbank4.h"
#include "model/voice_lookup.h"

namespace kora::dialogs {

class XSynthGroupSource {
public:
    // The groups in the database's order, each with its members in order.
    virtual const XSynthGroupList& XSynthGroups() const = 0;
    // The installed voices, in the database's order.
    virtual const InstalledVoiceList& InstalledVoices() const = 0;

protected:
    ~XSynthGroupSource() = default;
};

}  // namespace kora::dialogs
