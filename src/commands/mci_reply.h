// The number a media control reply stands for, as MCICommand stores it in "MCIResult".
#pragma once

#include <cstdint>
#include <string_view>

namespace velk {

// "stopped" -1, "playing" -2; a time with a colon after its first character ("1:05") its
// minutes x 60 + the seconds of the two characters after the colon; else the leading integer,
// 0 without one (an empty reply, an error, gives 0).
std::int64_t MciReplyNumber(std::string_view reply);

}  // namespace velk
