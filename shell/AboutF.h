// TAboutBox, the About box: the program's name and version, its maker with a clickable mail
// address and web address, and the beta-testing notice. Created hidden at start-up, shown
// modally by the main window; closing it only hides it. Its own pictures are loaded when it is
// first shown, so that the main window shows sooner.
#pragma once

#include <utility>
#include <vector>

#include "shell/BevLab.h"
#include "shell/controls/Hints.h"
#include "shell/framework/Form.h"
#include "shell/framework/GraphicControls.h"

class TAboutBox : public TForm {
 public:
  explicit TAboutBox(TComponent* owner = Application);

  // Handlers, named after the control and the event.
  void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void OKButtonClick(TObject* Sender);
  void BBut2Click(TObject* Sender);
  void Label1Click(TObject* Sender);
  void Label2Click(TObject* Sender);
  void TitleMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

  // The box's controls, back to front.
  TImage Image2{this}, Image6{this};
  TLabel Label7{this}, Label8{this};
  TBBut BBut2{this};
  TImage Image4{this}, Image5{this}, Image3{this};
  TShape Shape1{this};
  TImage Image1{this};
  TLabel MakerName{this}, Label5{this}, Label1{this}, Label2{this}, Label6{this};
  TImage Image7{this}, ProgramIcon{this};
  TLabel ProductName{this}, Version{this}, Label3{this}, Label4{this};
  TBBut OKButton{this};

 protected:
  // Centres the box on the main window's monitor each time it is about to be shown.
  bool WndProc(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override;

 private:
  void BuildFrame();
  void BuildMaker();
  void BuildProduct();
  void PlaceText(TLabel& label, int left, int top, const std::string& text);
  // Places the image now; its picture comes with the others at the first showing.
  void PlaceLater(TImage& image, int left, int top, int width, int height, int resource,
                  bool stretch);
  void LoadPictures();

  THints hints_{*this};
  std::vector<std::pair<TImage*, int>> pictures_;  // the image and its picture's resource
  bool pictures_loaded_ = false;
};

extern TAboutBox* AboutBox;
