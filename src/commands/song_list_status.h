// The song list's status (UpdateSongListStatus): its four system variables and their display
// objects. The song-list commands call it, and so will the file search and the list boxes that
// append to the song list.
#pragma once

namespace velk {

class CommandOwner;

// Writes, in this order, "ZIZ_CurItemList" (the current entry number), "ZIZ_NumInList" (the
// number of entries), "ZIZ_TotalList" (empty text) and "ZIZ_TotalListSec" (0); an object named
// like a variable shows the number ("%d") or nothing, and is repainted.
void UpdateSongListStatus(CommandOwner& owner);

}  // namespace velk
