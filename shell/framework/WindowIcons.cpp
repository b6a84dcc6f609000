#include "shell/framework/WindowIcons.h"

namespace {

void Give(HWND window, WPARAM which, std::unique_ptr<TPicture>& kept, const TPicture& picture) {
  auto copy = std::make_unique<TPicture>(picture);
  auto* icon = dynamic_cast<TIcon*>(copy->Graphic());
  SendMessageW(window, WM_SETICON, which,
               reinterpret_cast<LPARAM>(icon ? icon->Handle() : nullptr));
  // The old icon is released only once the window no longer shows it.
  kept = std::move(copy);
}

}  // namespace

void WindowIcons::Set(HWND window, const TPicture& large, const TPicture& small) {
  Give(window, ICON_BIG, large_, large);
  Give(window, ICON_SMALL, small_, small);
}
