// The About box's layout as its stored description gives it, and its handlers.
#include "shell/AboutF.h"

#include "resources/ResourceIds.h"
#include "shell/ShellOpen.h"
#include "shell/ShellTexts.h"
#include "shell/Skin.h"
#include "shell/framework/Monitors.h"
#include "shell/logic/WindowChrome.h"

TAboutBox* AboutBox = nullptr;

namespace {

constexpr int kClientWidth = 419;
constexpr int kClientHeight = 325;
constexpr TColor kLinkColor = 0xAD4506;  // RGB 6,69,173

}  // namespace

TAboutBox::TAboutBox(TComponent* owner) : TForm(owner) {
  SetCaption(shell_texts::kAbout);
  SetColor(kWindowColor);
  SetFont(MakeFont("Tahoma", clBlack));
  SetClientWidth(kClientWidth);
  SetClientHeight(kClientHeight);
  BuildFrame();
  BuildMaker();
  BuildProduct();

  SetIcons(LargeProgramIcon(), SmallProgramIcon());

  using namespace std::placeholders;
  OnKeyDown = std::bind(&TAboutBox::FormKeyDown, this, _1, _2, _3);
  OKButton.OnClick = [this](TObject* sender) { OKButtonClick(sender); };
  BBut2.OnClick = [this](TObject* sender) { BBut2Click(sender); };
  Label1.OnClick = [this](TObject* sender) { Label1Click(sender); };
  Label2.OnClick = [this](TObject* sender) { Label2Click(sender); };
  const auto title_down = std::bind(&TAboutBox::TitleMouseDown, this, _1, _2, _3, _4, _5);
  for (TGraphicControl* part : std::initializer_list<TGraphicControl*>{&Image2, &Label7, &Label8}) {
    part->OnMouseDown = title_down;
  }
}

void TAboutBox::PlaceLater(TImage& image, int left, int top, int width, int height, int resource,
                           bool stretch) {
  PlaceImage(image, left, top, width, height, akLeft | akTop, stretch);
  pictures_.emplace_back(&image, resource);
}

void TAboutBox::LoadPictures() {
  if (pictures_loaded_) return;
  pictures_loaded_ = true;
  for (const auto& [image, resource] : pictures_) image->SetPicture(SkinPicture(resource));
}

void TAboutBox::PlaceText(TLabel& label, int left, int top, const std::string& text) {
  label.SetTransparent(true);
  label.SetCaption(text);
  label.SetBounds(left, top, label.Width(), label.Height());
}

void TAboutBox::BuildFrame() {
  const TAnchors top_left = akLeft | akTop;
  PlaceLater(Image2, 0, 0, 419, 24, IDB_ABOUT_TITLE, false);
  PlaceLater(Image6, 6, 5, 16, 16, IDB_ABOUT_EMBLEM, false);
  // The title's shadow, then the title one pixel up and left.
  Label7.SetFont(MakeFont("Tahoma", kTitleShadowColor, kFontHeight, fsBold));
  PlaceText(Label7, 29, 7, shell_texts::kAbout);
  Label8.SetFont(MakeFont("Tahoma", clWhite, kFontHeight, fsBold));
  PlaceText(Label8, 28, 6, shell_texts::kAbout);
  const TFont arial_white = MakeFont("Arial", clWhite);
  SkinButton(BBut2, 399, 4, 16, 16, top_left, IDB_CLOSE_UP, arial_white, arial_white, "");
  hints_.Set(BBut2, shell_texts::kHintClose);

  PlaceLater(Image4, 0, 24, 5, 296, IDB_ABOUT_EDGE_LEFT, true);
  PlaceLater(Image5, 414, 24, 5, 296, IDB_ABOUT_EDGE_RIGHT, true);
  PlaceLater(Image3, 0, 320, 419, 5, IDB_ABOUT_BOTTOM, false);
  Shape1.SetBounds(6, 25, 407, 79);
  Shape1.SetPen(true, clMaroon);
  Shape1.SetBrush(false, clWhite);

  const TFont send_font = MakeFont("Tahoma", kSendCaptionColor);
  const TFont send_font_down = MakeFont("Arial", kSendCaptionColor);
  SkinButton(OKButton, 173, 291, 75, 23, top_left, IDB_SEND_UP, send_font, send_font_down,
             shell_texts::kOk);
}

void TAboutBox::BuildMaker() {
  PlaceLater(Image1, 14, 38, 52, 52, IDB_MAKER_EMBLEM, false);
  Image1.SetTransparent(true);
  MakerName.SetFont(MakeFont("Tahoma", clBlack, kFontHeight, fsBold));
  PlaceText(MakerName, 79, 32, shell_texts::kMaker);
  PlaceText(Label5, 79, 51, shell_texts::kAuthor);

  const TFont link = MakeFont("Tahoma", kLinkColor);
  for (TLabel* label : {&Label1, &Label2}) {
    label->SetFont(link);
    label->SetCursor(IDC_HAND);
  }
  PlaceText(Label1, 79, 65, shell_texts::kMakerMail);
  hints_.Set(Label1, shell_texts::kMakerMailLink);
  PlaceText(Label2, 79, 78, shell_texts::kMakerWeb);
  hints_.Set(Label2, shell_texts::kMakerWebLink);

  Label6.SetAlignment(TAlignment::taRightJustify);
  PlaceText(Label6, 381, 87, shell_texts::kYear);
}

void TAboutBox::BuildProduct() {
  PlaceLater(Image7, 10, 108, 400, 177, IDB_ABOUT_PANEL, false);
  PlaceLater(ProgramIcon, 23, 119, 49, 49, IDB_ABOUT_PROGRAM_ICON, false);
  ProductName.SetFont(MakeFont("Tahoma", clBlack, -16, fsBold));
  PlaceText(ProductName, 75, 122, shell_texts::kProductName);

  // Right-aligned: a later, longer version text grows to the left.
  Version.SetAlignment(TAlignment::taRightJustify);
  PlaceText(Version, 165, 143, shell_texts::kVersion);
  hints_.Set(Version, shell_texts::kHintVersion);

  PlaceText(Label3, 84, 154, shell_texts::kProductTitle);
  Label4.SetAutoSize(false);
  Label4.SetWordWrap(true);
  Label4.SetTransparent(true);
  Label4.SetBounds(20, 180, 380, 98);
  Label4.SetCaption(shell_texts::kBetaNotice);
}

bool TAboutBox::WndProc(UINT message, WPARAM wparam, LPARAM lparam, LRESULT&) {
  if (message == WM_SHOWWINDOW && wparam) LoadPictures();
  // Shown by a show call, not along with the application window: in the middle of the monitor
  // that shows the main window, where the user is looking.
  if (message == WM_SHOWWINDOW && wparam && lparam == 0) {
    TForm* main = Application ? Application->MainForm() : nullptr;
    const MonitorArea area = MonitorOf(main && main != this ? main->Handle() : Handle());
    const POINT at = CentreIn(area.monitor, Width(), Height());
    SetBounds(at.x, at.y, Width(), Height());
  }
  return false;
}

void TAboutBox::FormKeyDown(TObject*, WORD& Key, TShiftState) {
  // As a box's keys work everywhere: Esc cancels it and Enter presses its only button.
  if (Key == VK_ESCAPE || Key == VK_RETURN) Close();
}

void TAboutBox::OKButtonClick(TObject*) {
  Close();
}

void TAboutBox::BBut2Click(TObject*) {
  Close();
}

void TAboutBox::Label1Click(TObject*) {
  ShellOpen({nullptr, "open", shell_texts::kMakerMailLink, "", "", SW_SHOW});
}

void TAboutBox::Label2Click(TObject*) {
  ShellOpen({nullptr, "open", shell_texts::kMakerWeb, "", "", SW_SHOW});
}

void TAboutBox::TitleMouseDown(TObject*, TMouseButton Button, TShiftState, int, int) {
  // As the main window's title: the platform's move loop, from the left button only.
  if (Button != TMouseButton::mbLeft) return;
  ReleaseCapture();
  SendMessageW(Handle(), WM_SYSCOMMAND, ChromeCommand(ChromePart::Title), 0);
}
