// The file tests link CString without the window system, whose resource
// table CString::LoadString reads; these tests register no resources, so the
// lookup finds none.
#include "platform/win/Resources.h"

const char* win::FindStringResource(UINT) { return nullptr; }
