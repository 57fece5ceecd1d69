// Values of the window system that the dialogs pass through the seam. They
// are the Win32 numbers, so the Win32 toolkit hands them on unchanged and
// the in-memory toolkit interprets the same numbers.
#pragma once

#include <cstdint>

namespace kora::ui {

// Dialog results and message-box answers.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// Window styles the dialogs read or add.
inline constexpr uint32_t kWsBorder = 0x00800000;
inline constexpr uint32_t kWsTabStop = 0x00010000;
inline constexpr uint32_t kWsVisible = 0x10000000;
inline constexpr uint32_t kWsDisabled = 0x08000000;

// List view: styles, extended styles, column formats, item states and the
// flags of the item search.
inline constexpr uint32_t kLvsSingleSel = 0x0004;
inline constexpr uint32_t kLvsShowSelAlways = 0x0008;
inline constexpr uint32_t kLvsOwnerData = 0x1000;
inline constexpr uint32_t kLvsNoSortHeader = 0x8000;
inline constexpr uint32_t kLvsExGridLines = 0x0001;
inline constexpr uint32_t kLvsExHeaderDragDrop = 0x0010;
inline constexpr uint32_t kLvsExFullRowSelect = 0x0020;
inline constexpr int kLvcfmtLeft = 0x0000;
inline constexpr int kLvcfmtRight = 0x0001;
inline constexpr int kLvcfmtCenter = 0x0002;
inline constexpr int kLvcfmtJustifyMask = 0x0003;
inline constexpr uint32_t kLvisFocused = 0x0001;
inline constexpr uint32_t kLvisSelected = 0x0002;
inline constexpr uint32_t kLvniFocused = 0x0001;
inline constexpr uint32_t kLvniSelected = 0x0002;
inline constexpr uint32_t kLvifState = 0x0008;  // an item change concerns the states

// GetSystemMetrics index of the vertical scroll bar's width.
inline constexpr int kSmCxVScroll = 2;

// Options of the file dialogs (the OFN_ flags the dialogs pass).
inline constexpr uint32_t kOfnOverwritePrompt = 0x0002;
inline constexpr uint32_t kOfnHideReadOnly = 0x0004;
inline constexpr uint32_t kOfnPathMustExist = 0x0800;
inline constexpr uint32_t kOfnFileMustExist = 0x1000;

// First private window message; the list control's scroll notice.
inline constexpr uint32_t kWmUser = 0x0400;
inline constexpr uint32_t kWmListScrolled = kWmUser + 125;  // 0x47D

// Special folder of the user's desktop.
inline constexpr int kCsidlDesktop = 0;

}  // namespace kora::ui
