#include "commands/song_list_status.h"

#include <string>
#include <string_view>

#include "base/saturate.h"
#include "commands/command_owner.h"
#include "media/song_list.h"
#include "script/number_text.h"
#include "script/variable_store.h"

namespace velk {
namespace {

void ShowInDisplayObject(CommandOwner& owner, std::string_view name, std::string_view text) {
    if (Object* object = owner.FindObject(name)) {
        object->text = std::string(text);
        owner.Invalidate(object->rect);
    }
}

void PublishNumber(CommandOwner& owner, std::string_view name, std::int32_t value) {
    owner.Variables().SetNumber(name, value);
    ShowInDisplayObject(owner, name, IntToText(value));
}

}  // namespace

void UpdateSongListStatus(CommandOwner& owner) {
    const media::SongList& songs = owner.Songs();
    PublishNumber(owner, "ZIZ_CurItemList", songs.current);
    PublishNumber(owner, "ZIZ_NumInList",
                  SaturateToInt32(static_cast<std::int64_t>(songs.entries.size())));
    // The list's total playing time was never measured: an empty text and 0, shown as nothing.
    owner.Variables().SetString("ZIZ_TotalList", "");
    ShowInDisplayObject(owner, "ZIZ_TotalList", "");
    owner.Variables().SetNumber("ZIZ_TotalListSec", 0);
    ShowInDisplayObject(owner, "ZIZ_TotalListSec", "");
}

}  // namespace velk
