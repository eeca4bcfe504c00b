// The wallpaper link of the product's URL scheme: "muralbox://" and the rest of a web address,
// as the protocol handler passes it on the client's command line.
#pragma once

#include <string>
#include <string_view>

namespace mb {

// The web address a wallpaper link stands for: blanks before it skipped, one double quote dropped at each end, then the
// text must be longer than "muralbox://" and begin with it in any letter case; the address is
// "http://" and the rest, its case kept. Empty when the text is no link, and when the rest holds
// a double quote, a blank or a control character: such a text was cut out of a longer command
// line and may carry arguments of its own.
std::string WallpaperLinkAddress(std::string_view text);

// The local file name of a linked picture: the address's last path segment without query or
// fragment, each character that cannot be part of a file name replaced by '_'; "wallpaper.jpg"
// when nothing usable is left (an empty segment, ".", "..", a device name).
std::string LinkDownloadFileName(std::string_view address);

}  // namespace mb
