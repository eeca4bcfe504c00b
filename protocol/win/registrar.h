// Applies and removes a registration script (see protocol/registry_script.h) in the registry.
#pragma once

#include <windows.h>

#include <map>
#include <string>

namespace mb {

// The script resource (type "REGISTRY") of the module with its placeholders filled in.
// Registering stops at the first entry that cannot be written; unregistering removes what it can.
HRESULT RegisterFromScript(HINSTANCE module, UINT resourceId, const std::map<std::string, std::string>& replacements);
HRESULT UnregisterFromScript(HINSTANCE module, UINT resourceId,
                             const std::map<std::string, std::string>& replacements);

}  // namespace mb
