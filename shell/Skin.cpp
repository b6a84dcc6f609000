// The skin's pictures from the program's resources, and the dressing of fonts and buttons.
#include "shell/Skin.h"

#include <map>
#include <memory>

#include "resources/ResourceIds.h"

TPicture SkinPicture(int resource_id) {
  // Kept for the life of the process: the windows that show them live as long.
  static std::map<int, TPicture> pictures;
  auto found = pictures.find(resource_id);
  if (found == pictures.end()) {
    // The resource is part of the program's image, mapped as long as the process runs: the
    // picture draws from it, with no copy of its pixels.
    TPicture picture;
    const HMODULE program = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(program, MAKEINTRESOURCEW(resource_id), RT_BITMAP);
    HGLOBAL loaded = resource ? LoadResource(program, resource) : nullptr;
    const auto* packed = static_cast<const BITMAPINFO*>(loaded ? LockResource(loaded) : nullptr);
    if (packed) picture.SetGraphic(std::make_unique<TBitmap>(packed));
    found = pictures.emplace(resource_id, std::move(picture)).first;
  }
  return found->second;
}

TPicture ProgramIcon(int size) {
  // Loaded once a size: every window, the application's and the notification area's icon share it.
  static std::map<int, TPicture> icons;
  auto found = icons.find(size);
  if (found == icons.end()) {
    TPicture picture;
    HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON,
                             size, size, 0);
    if (icon) picture.SetGraphic(std::make_unique<TIcon>(static_cast<HICON>(icon)));
    found = icons.emplace(size, std::move(picture)).first;
  }
  return found->second;
}

TPicture LargeProgramIcon() {
  return ProgramIcon(GetSystemMetrics(SM_CXICON));
}

TPicture SmallProgramIcon() {
  return ProgramIcon(GetSystemMetrics(SM_CXSMICON));
}

TFont MakeFont(const char* name, TColor color, int height, TFontStyles style) {
  TFont font;
  font.SetName(name);
  font.SetHeight(height);
  font.SetColor(color);
  font.SetStyle(style);
  return font;
}

void PlacePicture(TImage& image, int left, int top, int width, int height, TAnchors anchors,
                  int resource, bool stretch) {
  PlaceImage(image, left, top, width, height, anchors, stretch);
  image.SetPicture(SkinPicture(resource));
}

void PlaceImage(TImage& image, int left, int top, int width, int height, TAnchors anchors,
                bool stretch) {
  image.SetBounds(left, top, width, height);
  image.SetAnchors(anchors);
  image.SetStretch(stretch);
}

void SkinButton(TBBut& button, int left, int top, int width, int height, TAnchors anchors,
                int first_picture, const TFont& font, const TFont& font_down,
                const std::string& caption) {
  button.SetBounds(left, top, width, height);
  button.SetAnchors(anchors);
  button.SetShape(TBevelShape::bsFrame);
  button.SetStyle(TBevelStyle::bsRaised);
  button.SetPictDown(SkinPicture(first_picture + 1));
  button.SetPictUp(SkinPicture(first_picture));
  button.SetPictEn(SkinPicture(first_picture + 2));
  button.SetTranspPict(false);
  button.SetTransparent(false);
  button.SetCorner(0);
  button.SetUnMouse(0);
  button.SetFont(font);
  button.SetFontDown(font_down);
  button.SetUseFontDown(false);
  button.SetCaption(caption);
  button.SetColor(clBtnFace);
  // After Font, which turns it off.
  button.SetParentFont(true);
  button.SetParentColor(true);
}
