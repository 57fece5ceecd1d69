// Reads and drives the controls of a dialog window by control id, as a user
// (or a screen reader) would see them: texts, enable state, list columns
// and rows; clicks go through the window's own message handling.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kora::testhost {

struct ListColumn {
    std::wstring text;
    int width = 0;
    int format = 0;
};

std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);

// The control's text; empty when there is no such control.
std::wstring ControlText(HWND dialog, int id);
bool ControlEnabled(HWND dialog, int id);
// The control's rectangle in the dialog's client coordinates.
RECT ControlRect(HWND dialog, int id);
// Where the dialog manager puts a control of these dialog units: position
// and size converted each on its own, as a template's are.
RECT DialogUnitsToPixels(HWND dialog, int x, int y, int cx, int cy);

// The file of the library whose window procedure serves this control: the
// side-by-side common controls 6 lie in a folder named after them.
std::wstring WindowProcedureModule(HWND control);

std::vector<ListColumn> ListColumns(HWND dialog, int listId);
// Every row, each with the texts of every column.
std::vector<std::vector<std::wstring>> ListRows(HWND dialog, int listId);

// Presses a button (BM_CLICK): its owner gets the click notification.
void Click(HWND dialog, int buttonId);

// Handles the thread's pending messages, then waits `ms` doing the same.
void PumpMessages(DWORD ms = 0);

}  // namespace kora::testhost
