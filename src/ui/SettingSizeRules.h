// The Setting dialog's size lists and the resolution states behind them: which entries a camera gets, which
// entry shows a state, and what OK, Apply and Cancel make of the lists. Windows-free.
#pragma once

namespace sizelist {

// The picture list holds "320 X 240", "640 X 480" and, unless the camera is a VGA module, "1280 X 800" and
// "1280 X 1024"; the video list holds the first two.
int PictureEntryCount(bool vgaModule);
constexpr int kVideoEntryCount = 2;
// The entry's text; null past the list's end.
const wchar_t* PictureEntryText(int index);
const wchar_t* VideoEntryText(int index);

// The resolution state a picture entry chooses; -1 for no entry.
int StateOfPictureEntry(int index);
// The entries that show a resolution state: a state without an entry of its own shows "640 X 480".
int PictureEntryOfState(int state, bool vgaModule);
int VideoEntryOfState(int state);
// The video entry that follows a picture entry.
int VideoEntryOfPictureEntry(int index);
// The resolution state a video entry switches the preview to (0 or 1); -1 for no entry.
int StateOfVideoEntry(int index);

// The resolution state OK and Apply store: the picture page's choice, unless the video list was changed since
// the dialog opened, which then decides.
int StoredState(int chosenState, int videoEntry, int baselineVideoEntry);
// Whether Cancel switches an open preview back to the saved state. The video list can show only states 0 and 1,
// so a saved larger state always switches back.
bool CancelSwitchesBack(int chosenState, int videoEntry, int savedState);

} // namespace sizelist
