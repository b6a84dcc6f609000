// What the transcript view tells screen readers and automation tools: read-only text whose
// value is the text the view shows. Everything else is the system's standard object for the
// view's window.
#pragma once

#include <windows.h>
// After windows.h.
#include <oleacc.h>

namespace TranscriptAccessible {

// A new accessible object for the view (one reference, for the caller), or null.
IAccessible* Create(HWND view);

// The answer to WM_GETOBJECT for the view's client object (flags is the message's wparam), or
// 0 when the object cannot be made.
LRESULT Answer(HWND view, WPARAM flags);

}  // namespace TranscriptAccessible
