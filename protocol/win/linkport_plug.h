// LinkportPlug: the "muralbox:" protocol. Starting a link runs the client with it (or says the
// client is missing) and ends the binding at once with success and no data.
#pragma once

#include <windows.h>
#include <urlmon.h>

namespace mb {

// Creates the object for a class factory: aggregated (outer given, only IID_IUnknown, answering
// with the inner unknown) or alone.
HRESULT CreateLinkportPlug(IUnknown* outer, REFIID iid, void** out);

}  // namespace mb
