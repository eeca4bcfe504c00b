// The login reply as the service sends it (XML) read into the configuration.
#pragma once

#include <string>

#include "client/core/login_exchange.h"

namespace mb {

// The texts of the reply's root children and of its "root/uploadsort" elements; false when the
// text does not parse (the XML reader keeps it in its error folder).
bool ReadLoginReplyTexts(const std::string& xml, LoginReplyTexts& texts);

// Reads the reply and applies it to the client's configuration; true when "login" is "1". A
// reply that does not parse is a failed login.
bool ParseLoginReply(const std::string& xml);

}  // namespace mb
