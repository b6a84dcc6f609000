// Pictures, labels, rectangles and timers.
#include <gtest/gtest.h>

#include <memory>

#include "resources/ResourceIds.h"
#include "shell/Skin.h"
#include "shell/framework/Application.h"
#include "shell/framework/Form.h"
#include "shell/framework/GraphicControls.h"
#include "shell/framework/Timer.h"
#include "win32/Surface.h"
#include "win32/UiTestSupport.h"

namespace {

const COLORREF kUntouched = RGB(255, 0, 255);
const COLORREF kWindow = RGB(233, 233, 233);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

class GraphicControlsTest : public ::testing::Test {
 protected:
  GraphicControlsTest() { form.SetColor(kWindow); }
  std::unique_ptr<Surface> Paint(TGraphicControl& control) {
    auto surface = std::make_unique<Surface>(control.Width(), control.Height(), kUntouched);
    control.PaintTo(surface->dc(), 0, 0);
    return surface;
  }
  TApplication app;
  TForm form;
};

TEST_F(GraphicControlsTest, PicturesAreCopiedOnAssignment) {
  TPicture original = TwoColourPicture(4, 2, kRed, kBlue);
  TPicture copy = original;
  ASSERT_TRUE(copy.Holds(TGraphicKind::Bitmap));
  EXPECT_NE(copy.Graphic(), original.Graphic());
  original.SetGraphic(nullptr);
  EXPECT_EQ(copy.Graphic()->Width(), 4);
  TPicture icon = IconPicture(16, kRed);
  copy.Assign(icon);
  EXPECT_TRUE(copy.Holds(TGraphicKind::Icon));
  EXPECT_EQ(copy.Graphic()->Width(), 16);
  EXPECT_EQ(copy.Graphic()->Height(), 16);
  copy.Assign(TPicture());
  EXPECT_TRUE(copy.Empty());
}

TEST_F(GraphicControlsTest, BitmapTakesOverAHandleThatItsCopiesShare) {
  HDC screen = GetDC(nullptr);
  auto bitmap = std::make_unique<TBitmap>(CreateCompatibleBitmap(screen, 7, 3));
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(bitmap->Width(), 7);
  EXPECT_EQ(bitmap->Height(), 3);
  bitmap->SetTransparent(true);
  auto copy = bitmap->Clone();
  EXPECT_EQ(copy->Width(), 7);
  EXPECT_TRUE(copy->Transparent());
  const HBITMAP pixels = static_cast<TBitmap&>(*copy).Handle();
  EXPECT_EQ(pixels, bitmap->Handle());
  // The pixels stay as long as a copy does.
  bitmap.reset();
  BITMAP info{};
  EXPECT_NE(GetObjectW(pixels, sizeof info, &info), 0);
  copy.reset();
  EXPECT_EQ(GetObjectW(pixels, sizeof info, &info), 0);
}

TEST_F(GraphicControlsTest, IconCopiesShareItsHandle) {
  auto icon = std::make_unique<TPicture>(IconPicture(16, kRed));
  TPicture copy = *icon;
  const HICON handle = static_cast<TIcon*>(copy.Graphic())->Handle();
  EXPECT_EQ(handle, static_cast<TIcon*>(icon->Graphic())->Handle());
  EXPECT_EQ(copy.Graphic()->Width(), 16);
  // The handle stays as long as a copy does.
  const auto alive = [handle] {
    ICONINFO info{};
    if (!GetIconInfo(handle, &info)) return false;
    BitmapOwner colour(info.hbmColor);
    BitmapOwner mask(info.hbmMask);
    return true;
  };
  icon.reset();
  EXPECT_TRUE(alive());
  copy.SetGraphic(nullptr);
  EXPECT_FALSE(alive());
}

TEST_F(GraphicControlsTest, BitmapTransparentColourIsItsBottomLeftPixelUnlessSet) {
  TPicture picture = TwoColourPicture(4, 2, kRed, kBlue);
  auto& bitmap = static_cast<TBitmap&>(*picture.Graphic());
  EXPECT_EQ(bitmap.TransparentColor(), kRed);
  bitmap.SetTransparentColor(clWhite);
  EXPECT_EQ(bitmap.TransparentColor(), clWhite);
}

TEST_F(GraphicControlsTest, ImageDrawsAtNaturalSizeOrStretched) {
  TImage image(&form);
  image.SetBounds(0, 0, 8, 4);
  image.SetPicture(TwoColourPicture(4, 2, kRed, kBlue));
  auto surface = Paint(image);
  EXPECT_EQ(surface->Count(kRed) + surface->Count(kBlue), 8);
  image.SetStretch(true);
  surface = Paint(image);
  EXPECT_EQ(surface->Count(kRed), 16);
  EXPECT_EQ(surface->Count(kBlue), 16);
  image.SetTransparent(true);
  surface = Paint(image);
  EXPECT_EQ(surface->Count(kRed), 0);
  EXPECT_EQ(surface->Count(kUntouched), 16);
}

// A skin picture draws straight from the program's resources, 8-bit or 24-bit: the same pixels as
// the system's own decoding of the resource, at its size, stretched and transparent.
TEST_F(GraphicControlsTest, SkinPicturesDrawAsTheSystemDecodesThem) {
  for (const int resource : {IDB_TITLE_LEFT, IDB_TITLE_RIGHT, IDB_EDGE_LEFT, IDB_EMBLEM,
                             IDB_CLOSE_HOVER, IDB_MAKER_EMBLEM, IDB_ABOUT_PANEL}) {
    SCOPED_TRACE(resource);
    const TPicture picture = SkinPicture(resource);
    ASSERT_TRUE(picture.Holds(TGraphicKind::Bitmap));
    TBitmap decoded(
        static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    TGraphic& skin = *picture.Graphic();
    ASSERT_EQ(skin.Width(), decoded.Width());
    ASSERT_EQ(skin.Height(), decoded.Height());
    const RECT stretched{1, 2, 1 + 2 * skin.Width() + 1, 2 + 3 * skin.Height()};
    for (const bool transparent : {false, true}) {
      skin.SetTransparent(transparent);
      decoded.SetTransparent(transparent);
      for (const RECT& rect : {RECT{0, 0, skin.Width(), skin.Height()}, stretched}) {
        Surface drawn(stretched.right + 1, stretched.bottom + 1, kUntouched);
        Surface expected(stretched.right + 1, stretched.bottom + 1, kUntouched);
        skin.StretchDraw(drawn.dc(), rect);
        decoded.StretchDraw(expected.dc(), rect);
        EXPECT_TRUE(drawn.SameAs(expected)) << transparent << " " << rect.right;
      }
    }
  }
  // Its copies share the one bitmap made for transparent drawing.
  const TPicture one = SkinPicture(IDB_EMBLEM);
  const TPicture other = SkinPicture(IDB_EMBLEM);
  const HBITMAP made = static_cast<TBitmap*>(one.Graphic())->Handle();
  EXPECT_NE(made, nullptr);
  EXPECT_EQ(static_cast<TBitmap*>(other.Graphic())->Handle(), made);
}

TEST_F(GraphicControlsTest, LabelSizesItselfToItsText) {
  TLabel label(&form);
  label.SetBounds(100, 10, 0, 0);
  label.SetCaption("Vantorel Universal Client v0.4");
  const int width = label.Width();
  EXPECT_GT(width, 100);
  EXPECT_GT(label.Height(), 8);
  EXPECT_EQ(label.Left(), 100);
  label.SetAlignment(TAlignment::taRightJustify);
  label.SetCaption("2004");
  EXPECT_EQ(label.Left() + label.Width(), 100 + width);  // keeps its right edge
  EXPECT_LT(label.Width(), width);
}

TEST_F(GraphicControlsTest, TransparentLabelChangesOnlyItsGlyphs) {
  TLabel label(&form);
  TFont white;
  white.SetColor(clWhite);
  label.SetFont(white);
  label.SetCaption("ZIRK");
  auto surface = Paint(label);
  EXPECT_GT(surface->Count(kWindow), 0);
  label.SetTransparent(true);
  surface = Paint(label);
  EXPECT_EQ(surface->Count(kWindow), 0);
  EXPECT_GT(surface->Count(kUntouched), 0);
  EXPECT_GT(surface->Count(RGB(255, 255, 255)), 0);
}

TEST_F(GraphicControlsTest, ShapeOutlineWithoutFill) {
  TShape shape(&form);
  shape.SetBounds(0, 0, 10, 6);
  shape.SetPen(true, clMaroon);
  shape.SetBrush(false, clWhite);
  auto surface = Paint(shape);
  EXPECT_EQ(surface->Count(RGB(128, 0, 0)), 2 * 10 + 2 * 4);
  EXPECT_EQ(surface->Count(kUntouched), 8 * 4);
  shape.SetPen(false, clMaroon);
  EXPECT_EQ(Paint(shape)->Count(kUntouched), 60);
}

TEST_F(GraphicControlsTest, TimerTicksWhileEnabledWithAnInterval) {
  TTimer timer;
  timer.SetInterval(10);
  int ticks = 0;
  timer.OnTimer = [&](TObject* Sender) {
    EXPECT_EQ(Sender, &timer);
    ++ticks;
  };
  ASSERT_TRUE(PumpUntil([&] { return ticks >= 2; }));
  timer.SetEnabled(false);
  PumpPending();
  const int stopped_at = ticks;
  timer.SetInterval(10);  // still disabled
  PumpUntil([] { return false; }, 60);
  EXPECT_EQ(ticks, stopped_at);
  timer.SetEnabled(true);
  timer.SetInterval(0);
  PumpUntil([] { return false; }, 60);
  EXPECT_EQ(ticks, stopped_at);
}

}  // namespace
