#include "shell/Skin.h"

#include <memory>

#include "resources/ResourceIds.h"

TPicture SkinPicture(int resource_id) {
  TPicture picture;
  HANDLE bitmap = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource_id), IMAGE_BITMAP,
                             0, 0, LR_CREATEDIBSECTION);
  if (bitmap) picture.SetGraphic(std::make_unique<TBitmap>(static_cast<HBITMAP>(bitmap)));
  return picture;
}

TPicture ProgramIcon(int size) {
  TPicture picture;
  HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON,
                           size, size, 0);
  if (icon) picture.SetGraphic(std::make_unique<TIcon>(static_cast<HICON>(icon)));
  return picture;
}
