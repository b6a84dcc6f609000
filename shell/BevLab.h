// TBBut, the skinned push button of the program's windows: a windowless bevel control that
// draws itself from up to three pictures (up, pressed, highlighted) over an optional bevel and
// face, with a centred one-line caption, and fires OnClick when the left button is released over
// it. Its flags and the order of its events live in BButState; this class paints and wires.
#pragma once

#include <cstdint>
#include <string>

#include "shell/framework/Bevel.h"
#include "shell/framework/Picture.h"
#include "shell/logic/BButState.h"

class TBBut : public TBevel {
 public:
  // The owner must be a form: EInvalidCast (shell_texts::kInvalidCast) otherwise.
  explicit TBBut(TComponent* owner);

  // The published properties in their stored order. No setter compares with the old value.
  const TPicture& PictDown() const { return pict_down_; }
  void SetPictDown(const TPicture& picture);
  const TPicture& PictUp() const { return pict_up_; }
  void SetPictUp(const TPicture& picture);
  const TPicture& PictEn() const { return pict_en_; }
  void SetPictEn(const TPicture& picture);
  bool TranspPict() const { return transp_pict_; }
  void SetTranspPict(bool transp_pict);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  bool ParentFont() const { return parent_font_; }
  void SetParentFont(bool parent_font);
  uint16_t Corner() const { return corner_; }
  void SetCorner(uint16_t corner);
  int8_t UnMouse() const { return unmouse_; }
  void SetUnMouse(int8_t unmouse);
  // Changing an attribute in place neither fires OnChange nor repaints.
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  // Copies the font and turns ParentFont off.
  void SetFont(const TFont& font);
  TFont& FontDown() { return font_down_; }
  const TFont& FontDown() const { return font_down_; }
  void SetFontDown(const TFont& font);
  bool UseFontDown() const { return use_font_down_; }
  void SetUseFontDown(bool use_font_down);
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  TColor Color() const { return color_; }
  // Stores the colour and turns ParentColor off.
  void SetColor(TColor color);
  bool ParentColor() const { return parent_color_; }
  void SetParentColor(bool parent_color);

  // OnClick, OnMouseDown, OnMouseUp and OnMouseMove come from the base.
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TNotifyEvent OnDBClick;
  // Public but not stored.
  TNotifyEvent OnPress;
  TNotifyEvent OnRelease;
  TNotifyEvent OnChange;

  // Fires OnClick, whether or not the button is enabled.
  void Click() override;

  bool MouseOver() const { return state_.MouseOver(); }
  bool Held() const { return state_.Held(); }
  bool Pressed() const { return state_.Pressed(); }
  bool HoverShown() const { return state_.HoverShown(); }

  void MouseButtonDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseButtonUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseDoubleClick(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseEntered() override { state_.PointerEntered(); }
  void MouseLeft() override { state_.PointerLeft(); }

 protected:
  void Paint(TCanvas& canvas) override;

 private:
  class Actions : public BButActions {
   public:
    explicit Actions(TBBut& button) : button_(button) {}
    bool Enabled() override;
    bool CanShowHover() override;
    void BaseLeftDown(TShiftState shift, int x, int y) override;
    void BaseLeftUp(TShiftState shift, int x, int y) override;
    void SetLowered(bool lowered) override;
    void PaintNow() override;
    void RepaintAreaNow() override;
    void RequestRepaint() override;
    void ProcessMessages() override;
    void Click() override;
    void FirePress() override;
    void FireRelease() override;
    void FireMouseEnter() override;
    void FireMouseLeave() override;
    void FireChange() override;
    void FireDoubleClick() override;

   private:
    TBBut& button_;
  };

  void Changed();
  void ApplyTranspPict(TPicture& picture);
  void PaintPicture(TCanvas& canvas);
  void PaintIconThroughBitmap(TCanvas& canvas, const RECT& rect, const TGraphic* icon);
  void PaintCaption(TCanvas& canvas);

  TPicture pict_down_;
  TPicture pict_up_;
  TPicture pict_en_;
  bool transp_pict_ = false;
  bool transparent_ = false;
  bool parent_font_ = false;
  uint16_t corner_ = 0;
  int8_t unmouse_ = 0;
  TFont font_;
  TFont font_down_;
  bool use_font_down_ = false;
  std::string caption_;
  TColor color_ = clBtnFace;
  bool parent_color_ = false;
  Actions actions_{*this};
  BButState state_{actions_};
};
