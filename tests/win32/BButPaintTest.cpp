// The skinned button's four painting steps, checked on memory surfaces at the pixels that
// matter.
#include <gtest/gtest.h>

#include "shell/BevLab.h"
#include "shell/framework/Application.h"
#include "shell/framework/Form.h"
#include "win32/Surface.h"

namespace {

const COLORREF kUntouched = RGB(255, 0, 255);
const COLORREF kWindow = RGB(233, 233, 233);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kGreen = RGB(0, 255, 0);

class BButPaintTest : public ::testing::Test {
 protected:
  BButPaintTest() {
    form.SetColor(kWindow);
    button.SetBounds(0, 0, 40, 30);
  }

  std::unique_ptr<Surface> Paint(int width = 40, int height = 30) {
    auto surface = std::make_unique<Surface>(width, height, kUntouched);
    button.PaintTo(surface->dc(), 0, 0);
    return surface;
  }
  // Puts the button into its pressed look as the pointer would.
  void Press() {
    button.MouseEntered();
    button.MouseButtonDown(TMouseButton::mbLeft, ssLeft, 1, 1);
    ASSERT_TRUE(button.Pressed());
  }

  COLORREF Highlight() const { return GetSysColor(COLOR_BTNHIGHLIGHT); }
  COLORREF Shadow() const { return GetSysColor(COLOR_BTNSHADOW); }

  TApplication app;
  TForm form;
  TBBut button{&form};
};

TEST_F(BButPaintTest, BevelLinesOfEveryShape) {
  ASSERT_NE(Highlight(), Shadow());
  button.SetTransparent(true);
  const COLORREF h = Highlight(), s = Shadow(), u = kUntouched;
  const struct {
    TBevelShape shape;
    std::vector<std::tuple<int, int, COLORREF>> pixels;
  } rows[] = {
      {TBevelShape::bsBox,
       {{0, 29, h}, {0, 0, h}, {38, 0, h}, {39, 0, s}, {39, 29, s}, {1, 29, s}, {1, 1, u}}},
      {TBevelShape::bsFrame,
       {{0, 0, h},
        {0, 28, h},
        {38, 0, h},
        {38, 28, h},
        {1, 1, s},
        {39, 29, s},
        {39, 0, u},
        {0, 29, u},
        {2, 2, u}}},
      {TBevelShape::bsTopLine, {{0, 0, h}, {39, 0, h}, {0, 1, s}, {39, 1, s}, {0, 2, u}}},
      {TBevelShape::bsBottomLine, {{0, 28, h}, {39, 28, h}, {0, 29, s}, {39, 29, s}, {0, 27, u}}},
      {TBevelShape::bsLeftLine, {{0, 0, h}, {0, 29, h}, {1, 0, s}, {1, 29, s}, {2, 0, u}}},
      {TBevelShape::bsRightLine, {{38, 0, h}, {38, 29, h}, {39, 0, s}, {39, 29, s}, {37, 0, u}}},
      {TBevelShape::bsSpacer, {{0, 0, u}, {39, 29, u}, {20, 15, u}}},
  };
  for (const auto& row : rows) {
    button.SetShape(row.shape);
    auto surface = Paint();
    for (const auto& [x, y, colour] : row.pixels) {
      EXPECT_EQ(surface->Pixel(x, y), colour) << int(row.shape) << " at " << x << "," << y;
    }
  }
}

TEST_F(BButPaintTest, LoweredStyleSwapsTheColours) {
  button.SetTransparent(true);
  button.SetStyle(TBevelStyle::bsLowered);
  auto surface = Paint();
  EXPECT_EQ(surface->Pixel(0, 0), Shadow());
  EXPECT_EQ(surface->Pixel(39, 29), Highlight());
}

TEST_F(BButPaintTest, FrameAroundAFlatFaceInTheWindowColour) {
  button.SetShape(TBevelShape::bsFrame);
  auto surface = Paint();
  for (int x = 0; x < 39; ++x) EXPECT_EQ(surface->Pixel(x, 0), Highlight()) << x;
  for (int y = 0; y < 29; ++y) EXPECT_EQ(surface->Pixel(0, y), Highlight()) << y;
  for (int y = 1; y < 30; ++y) EXPECT_EQ(surface->Pixel(39, y), Shadow()) << y;
  for (int x = 2; x < 40; ++x) EXPECT_EQ(surface->Pixel(x, 29), Shadow()) << x;
  EXPECT_EQ(surface->Pixel(1, 1), kWindow);
  EXPECT_EQ(surface->Pixel(38, 28), kWindow);
  EXPECT_EQ(surface->Count(kWindow), 38 * 28);

  button.SetColor(kRed);  // turns ParentColor off
  EXPECT_EQ(Paint()->Pixel(20, 15), kRed);
  button.SetTransparent(true);
  EXPECT_EQ(Paint()->Pixel(20, 15), kUntouched);
}

TEST_F(BButPaintTest, PictureIsStretchedIntoTheInsetRectangle) {
  button.SetPictUp(TwoColourPicture(2, 1, kRed, kBlue));
  auto surface = Paint();  // Corner 4: (4, 4) to (36, 26)
  EXPECT_EQ(surface->Pixel(4, 4), kRed);
  EXPECT_EQ(surface->Pixel(19, 25), kRed);
  EXPECT_EQ(surface->Pixel(20, 4), kBlue);
  EXPECT_EQ(surface->Pixel(35, 25), kBlue);
  EXPECT_EQ(surface->Pixel(36, 26), kWindow);
  EXPECT_EQ(surface->Pixel(3, 3), kWindow);
  EXPECT_EQ(surface->Count(kRed) + surface->Count(kBlue), 32 * 22);
}

TEST_F(BButPaintTest, CornerZeroCoversBevelAndFace) {
  button.SetCorner(0);
  button.SetPictUp(TwoColourPicture(8, 8, kRed, kBlue));
  auto surface = Paint();
  EXPECT_EQ(surface->Count(kRed), 20 * 30);
  EXPECT_EQ(surface->Count(kBlue), 20 * 30);
}

TEST_F(BButPaintTest, PressedLookMovesPictureAndCaptionByUnMouse) {
  button.SetUnMouse(-2);
  button.SetPictUp(TwoColourPicture(2, 2, kGreen, kGreen));
  button.SetPictDown(TwoColourPicture(2, 2, kRed, kBlue));
  Press();
  auto surface = Paint();  // (4 - 2, 4 - 2) to (36 - 2, 26 - 2)
  EXPECT_EQ(surface->Pixel(2, 2), kRed);
  EXPECT_EQ(surface->Pixel(33, 23), kBlue);
  EXPECT_EQ(surface->Pixel(34, 24), kWindow);
  EXPECT_EQ(surface->Count(kGreen), 0);
}

TEST_F(BButPaintTest, PressedLookFallsBackToPictEnThenPictUp) {
  button.SetCorner(0);
  button.SetPictUp(TwoColourPicture(2, 2, kRed, kRed));
  button.SetPictEn(TwoColourPicture(2, 2, kBlue, kBlue));
  Press();
  EXPECT_EQ(Paint()->Pixel(20, 15), kBlue);
  button.SetPictEn(TPicture());
  EXPECT_EQ(Paint()->Pixel(20, 15), kRed);
}

TEST_F(BButPaintTest, UpLookWithoutPictUpShowsNoPicture) {
  button.SetCorner(0);
  button.SetPictEn(TwoColourPicture(2, 2, kBlue, kBlue));
  button.SetPictDown(TwoColourPicture(2, 2, kRed, kRed));
  EXPECT_EQ(Paint()->Count(kBlue), 0);
  Press();
  EXPECT_EQ(Paint()->Pixel(20, 15), kRed);
}

TEST_F(BButPaintTest, TransparentPictureLeavesOutItsBottomLeftColour) {
  button.SetCorner(0);
  button.SetTranspPict(true);
  button.SetPictUp(TwoColourPicture(2, 2, kGreen, kRed));
  auto surface = Paint();
  EXPECT_EQ(surface->Pixel(30, 15), kRed);
  EXPECT_EQ(surface->Pixel(10, 15), kWindow);
  EXPECT_EQ(surface->Count(kGreen), 0);
  button.SetTranspPict(false);  // the transparency is set again just before drawing
  EXPECT_EQ(Paint()->Pixel(10, 15), kGreen);
}

TEST_F(BButPaintTest, IconIsStretchedThroughABitmapOfTheApplicationIconSize) {
  const SIZE icon = app.IconSize();
  button.SetCorner(0);
  button.SetBounds(0, 0, icon.cx * 2, icon.cy * 2);
  button.SetPictUp(IconPicture(icon.cx / 2, kRed));  // a quarter of the temporary bitmap
  auto surface = Paint(icon.cx * 2, icon.cy * 2);
  EXPECT_EQ(surface->Pixel(0, 0), kRed);
  EXPECT_EQ(surface->Pixel(icon.cx - 1, icon.cy - 1), kRed);
  EXPECT_EQ(surface->Pixel(icon.cx, icon.cy), RGB(255, 255, 255));
  EXPECT_EQ(surface->Count(kRed), icon.cx * icon.cy);

  button.SetTranspPict(true);  // the rest of the bitmap is white, its transparent colour
  surface = Paint(icon.cx * 2, icon.cy * 2);
  EXPECT_EQ(surface->Pixel(icon.cx, icon.cy), kWindow);

  button.SetPictDown(IconPicture(icon.cx / 2, kBlue));  // the pressed look's own icon likewise
  Press();
  surface = Paint(icon.cx * 2, icon.cy * 2);
  EXPECT_EQ(surface->Pixel(1, 1), kBlue);
  EXPECT_EQ(surface->Pixel(icon.cx, icon.cy), kBlue);
  EXPECT_EQ(surface->Count(kBlue), icon.cx * icon.cy);
}

TEST_F(BButPaintTest, AFallbackIconIsDrawnUnstretchedAtTheCorner) {
  button.SetCorner(0);
  button.SetPictUp(IconPicture(16, kRed));
  Press();  // PictDown and PictEn empty: PictUp's icon at (U, U)
  auto surface = Paint();
  EXPECT_EQ(surface->Pixel(1, 1), kRed);
  EXPECT_EQ(surface->Pixel(16, 16), kRed);
  EXPECT_EQ(surface->Pixel(17, 17), kWindow);
  EXPECT_EQ(surface->Count(kRed), 16 * 16);
}

class BButCaptionTest : public BButPaintTest {
 protected:
  // The button painted with its caption must equal the button painted without it plus the
  // caption drawn at (x, y) in font.
  void ExpectCaptionAt(int width, int x, int y, const TFont& font) {
    button.SetBounds(0, 0, width, 22);
    auto with_caption = Paint(width, 22);
    const std::string caption = button.Caption();
    button.SetCaption("");
    auto expected = Paint(width, 22);
    EXPECT_FALSE(expected->SameAs(*with_caption)) << "the caption changed nothing";
    TCanvas(expected->dc()).TextAt(x, y, caption, font);
    EXPECT_TRUE(expected->SameAs(*with_caption)) << "width " << width << " at " << x << "," << y;
    button.SetCaption(caption);
  }
  SIZE Extent(const TFont& font) {
    Surface scratch(1, 1, kUntouched);
    return TCanvas(scratch.dc()).TextExtent(button.Caption(), font);
  }
};

TEST_F(BButCaptionTest, CentredWithTruncationTowardZero) {
  button.SetCaption("Caption");
  const SIZE extent = Extent(form.Font());
  const int y = (22 - extent.cy) / 2;
  ExpectCaptionAt(extent.cx + 25, 12, y, form.Font());  // like 75 and 50
  ExpectCaptionAt(extent.cx - 5, -2, y, form.Font());   // like 16 and 21
}

TEST_F(BButCaptionTest, UpLookUsesTheWindowFontOrFont) {
  TFont big;
  big.SetHeight(-16);
  big.SetStyle(fsBold);
  big.SetColor(kRed);
  button.SetCaption("Wide");
  button.SetFont(big);  // turns ParentFont off
  SIZE extent = Extent(big);
  ExpectCaptionAt(60, (60 - extent.cx) / 2, (22 - extent.cy) / 2, big);
  button.SetParentFont(true);
  extent = Extent(form.Font());
  ExpectCaptionAt(60, (60 - extent.cx) / 2, (22 - extent.cy) / 2, form.Font());
}

TEST_F(BButCaptionTest, PressedLookUsesFontDownAndTheOffset) {
  TFont down;
  down.SetName("Arial");
  down.SetColor(kBlue);
  button.SetFontDown(down);
  button.SetUnMouse(-2);
  button.SetCaption("Down");
  Press();
  SIZE extent = Extent(down);
  ExpectCaptionAt(70, (70 - extent.cx) / 2 - 2, (22 - extent.cy) / 2 - 2, down);
  button.SetUseFontDown(false);  // then Font, whatever ParentFont says
  extent = Extent(button.Font());
  ExpectCaptionAt(70, (70 - extent.cx) / 2 - 2, (22 - extent.cy) / 2 - 2, button.Font());
}

TEST_F(BButPaintTest, DisabledLooksLikeEnabled) {
  button.SetCaption("Same");
  button.SetPictUp(TwoColourPicture(2, 2, kRed, kBlue));
  auto enabled = Paint();
  button.SetEnabled(false);
  EXPECT_TRUE(Paint()->SameAs(*enabled));
}

}  // namespace
