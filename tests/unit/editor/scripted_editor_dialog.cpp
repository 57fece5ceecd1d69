#include "scripted_editor_dialog.h"

namespace kora::test {

std::optional<Pair> AddActive(editor::EditorSession& session, SingerEntry singer) {
    const std::optional<int32_t> program = FindFreeProgram(session.activeInUse, singer.bank);
    if (!program) return std::nullopt;
    singer.program = *program;
    singer.state = kStateAdded;
    session.activeInUse.Set(singer.bank, singer.program);
    session.activeSingers.push_back(singer);
    session.activeChanged = true;
    return Pair{singer.bank, singer.program};
}

void DeleteActive(editor::EditorSession& session, std::size_t index) {
    const SingerEntry singer = session.activeSingers.at(index);
    session.activeSingers.erase(session.activeSingers.begin() + static_cast<std::ptrdiff_t>(index));
    session.activeRemoved.Set(singer.bank, singer.program);
    session.activeDeleted.Set(singer.bank, singer.program);
    session.activeInUse.Reset(singer.bank, singer.program);
    session.activeChanged = true;
}

void EditActive(editor::EditorSession& session, std::size_t index, std::u16string name,
                int32_t secondaryBre) {
    SingerEntry& singer = session.activeSingers.at(index);
    singer.name = std::move(name);
    singer.secondaryParams[kBRE] = secondaryBre;
    if (singer.state != kStateAdded) singer.state = kStateEdited;
    session.activeChanged = true;
}

}  // namespace kora::test
