// Shared by the test host and the toolkit probe: verdicts, dialogs read and
// driven by control id, a user played by a thread timer (runs in modal loops).
#pragma once

#include <windows.h>
// After <windows.h>.
#include <commctrl.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "api/dynamic_library.h"

namespace kora::testhost {

// Every check prints "ok" or "FAIL" and its name; the run fails on any FAIL.
class Checks {
public:
    bool Expect(bool passed, const std::string& what);
    bool Equal(const std::wstring& actual, const std::wstring& expected, const std::string& what);
    bool Equal(long long actual, long long expected, const std::string& what);
    int failures = 0;
    int count = 0;
    void (*report)(int passed, const char* what) = nullptr;  // instead of printing
};

std::string Narrow(const std::wstring& text);               // UTF-8, for the log
std::wstring Join(const std::vector<std::wstring>& texts);  // by "|"

std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);
std::wstring ControlText(HWND dialog, int id);
bool ControlEnabled(HWND dialog, int id);
int CountEnabled(HWND dialog, const std::vector<int>& ids);
std::wstring WindowProcedureModule(HWND control);  // the file serving its class

// The texts of rows first..first+count-1 that exist (count -1: to the end),
// one per column. A message per cell: at scale, read only the rows a check
// needs.
std::vector<std::vector<std::wstring>> ListRows(HWND dialog, int listId, int first = 0,
                                                int count = -1);
std::vector<std::wstring> ListRow(HWND dialog, int listId, int row);  // empty: no such row
LPARAM RowData(HWND list, int row);                                   // the row's item data
// Each column as text/width and l, r or c for its alignment, joined by "|".
std::wstring ColumnsOf(HWND dialog, int listId);
int SelectedRow(HWND dialog, int listId);

void Click(HWND dialog, int id);      // BM_CLICK, handled before it returns
void PostClick(HWND dialog, int id);  // for buttons that open a modal loop
// Replaces a field's text as the keyboard does.
void Type(HWND dialog, int id, const std::wstring& text);
// Picks a combo box item by text as the mouse does; false when it is not there.
bool Choose(HWND dialog, int id, const std::wstring& text);
void PumpMessages(DWORD ms = 0);

// The thread's visible dialogs; the first with this caption and owner (any when null).
std::vector<HWND> ThreadDialogs();
HWND FindDialog(const wchar_t* caption, HWND owner = nullptr);

// One step of the user: false while its window is not there yet.
struct Step {
    std::string name;
    std::function<bool()> act;
};
// Runs `open` (a modal export) while the steps play; a step that waits too
// long fails and everything open is cancelled.
void PlaySteps(Checks& checks, std::vector<Step> steps, const std::function<void()>& open);
// A step on the Singer Editor once it is filled and painted, nothing over it.
Step InEditor(std::function<void(HWND)> act);

// Libraries load through the module's own wrapper.
using Library = api::DynamicLibrary;

// A folder of its own in the temporary folder (one a run that was ended
// left is cleared first), removed again by the destructor.
struct ScratchFolder {
    explicit ScratchFolder(const std::wstring& tag);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::filesystem::path root;
};

// Fresh copies of the samples beside the host (e2e-data) in a scratch folder.
struct Workspace : ScratchFolder {
    Workspace(Checks& checks, const std::wstring& tag);
    std::string StoreBytes() const;
    std::filesystem::path database, sequence;
    bool ready = false;
};

}  // namespace kora::testhost
