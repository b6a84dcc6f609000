// The skin's pictures, from the program's resources, and the way the program's windows dress
// their fonts and skinned buttons.
#pragma once

#include <string>

#include "shell/BevLab.h"
#include "shell/framework/GraphicControls.h"
#include "shell/framework/Graphics.h"
#include "shell/framework/Picture.h"
#include "shell/logic/Anchors.h"

// The bitmap resource with this identifier as a picture; an empty picture when it is missing.
// Every picture of a resource draws from the resource's own pixels, which are never copied.
TPicture SkinPicture(int resource_id);
// The program icon at the given size, loaded once a process; its pictures share the handle.
TPicture ProgramIcon(int size);
// The program icon at the system's large and small icon sizes.
TPicture LargeProgramIcon();
TPicture SmallProgramIcon();

// The background of the program's windows, RGB 233,233,233.
inline constexpr TColor kWindowColor = 15329769;
// The shadow under a window's title text, RGB 73,73,73.
inline constexpr TColor kTitleShadowColor = 4802889;
// The captions of the 75x23 buttons (SendB, the About box's OKButton).
inline constexpr TColor kSendCaptionColor = 0x575757;
// The character height of every font of the program's windows, in pixels.
inline constexpr int kFontHeight = -11;

TFont MakeFont(const char* name, TColor color, int height = kFontHeight, TFontStyles style = 0);

// A picture of the skin at its place, stretched or at its natural size.
void PlacePicture(TImage& image, int left, int top, int width, int height, TAnchors anchors,
                  int resource, bool stretch);
// The same without the picture, for one that is set later.
void PlaceImage(TImage& image, int left, int top, int width, int height, TAnchors anchors,
                bool stretch);

// Every skinned button of the program's windows: a frame bevel covered by its three pictures
// (the resources first_picture, + 1 and + 2: up, pressed and highlighted), the window's font for
// the up look and the button's own font when pressed.
void SkinButton(TBBut& button, int left, int top, int width, int height, TAnchors anchors,
                int first_picture, const TFont& font, const TFont& font_down,
                const std::string& caption);
