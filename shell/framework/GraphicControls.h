// The plain windowless controls of the program's windows: pictures, text labels and rectangles.
#pragma once

#include <string>

#include "shell/framework/Controls.h"
#include "shell/framework/Picture.h"

// A picture, drawn at its natural size or stretched to fill the control.
class TImage : public TGraphicControl {
 public:
  explicit TImage(TComponent* owner) : TGraphicControl(owner) {}

  const TPicture& Picture() const { return picture_; }
  // Copies the picture.
  void SetPicture(const TPicture& picture);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool stretch);
  // A transparent bitmap leaves out its transparent colour.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);

 protected:
  void Paint(TCanvas& canvas) override;

 private:
  TPicture picture_;
  bool stretch_ = false;
  bool transparent_ = false;
};

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

// A text. With AutoSize (the default) it takes the size of its text, keeping its left edge, or
// its right edge when right-aligned; with WordWrap only its height follows the text.
class TLabel : public TGraphicControl {
 public:
  // Takes the form's font.
  explicit TLabel(TComponent* owner);

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font);
  // Not transparent: the background is filled with the form's colour.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool word_wrap);
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool auto_size);

 protected:
  void Paint(TCanvas& canvas) override;

 private:
  UINT Format() const;
  void Changed();

  std::string caption_;
  TFont font_;
  bool transparent_ = false;
  TAlignment alignment_ = TAlignment::taLeftJustify;
  bool word_wrap_ = false;
  bool auto_size_ = true;
};

// A rectangle: a 1-pixel outline and a fill, each of which may be left out.
class TShape : public TGraphicControl {
 public:
  explicit TShape(TComponent* owner) : TGraphicControl(owner) {}

  void SetPen(bool visible, TColor color);
  void SetBrush(bool visible, TColor color);

 protected:
  void Paint(TCanvas& canvas) override;

 private:
  bool pen_visible_ = true;
  TColor pen_color_ = clBlack;
  bool brush_visible_ = true;
  TColor brush_color_ = clWhite;
};
