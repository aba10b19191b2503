// Windows are data: a form holds its controls' state under their own names and
// its event handlers as member functions. The Qt layer creates widgets with the
// same object names and keeps them in step with this state; tests drive forms
// directly, without Qt.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kvr {

using TColor = uint32_t;  // 0xRRGGBB
constexpr TColor clBtnFace = 0xF0F0F0;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clBlack = 0x000000;
constexpr TColor clRed = 0xFF0000;
constexpr TColor clYellow = 0xFFFF00;
constexpr TColor clNavy = 0x000080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clGray = 0x808080;
constexpr TColor clBtnShadow = 0xA0A0A0;
// No colour of its own: the system's text colour (no RGB value is this).
constexpr TColor clWindowText = 0x1000000;

enum class TModalResult { None, Ok, Cancel, Yes, No, Abort };

// Where a panel's caption stands.
enum class TAlignment { Center, Left };

enum class TBorderStyle { Sizeable, Single, Dialog, None };
enum class TPosition { Designed, MainFormCenter, ScreenCenter };

enum class TControlKind {
  Panel,
  Button,
  Label,
  RadioButton,
  CheckBox,
  ComboBox,
  ListBox,
  GroupBox,
  RadioGroup,  // a framed group of radio buttons, one per item; ItemIndex is the one on
  Edit,
  Memo,
  MenuItem,
  PaintBox,
  Image,
  ScrollBar,  // vertical
  Grid,       // a text grid: Cells, RowCount, ColWidths, RowHeight, FixedRows; Position is the top row shown
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  friend bool operator==(const TRect&, const TRect&) = default;
};

class TForm;
class ICanvas;
struct TMouseEvent;

class TControl {
 public:
  TControl(TForm& owner, std::string name, TControlKind kind, std::string caption = {}, TRect bounds = {});
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  const std::string& Name() const { return name_; }
  TControlKind Kind() const { return kind_; }
  TForm& Owner() const { return owner_; }

  // State the Qt layer mirrors.
  std::string Caption;
  bool Enabled = true;
  bool Visible = true;
  TColor Color = clBtnFace;
  TColor FontColor = clWindowText;  // caption colour; group boxes and labels only
  bool Checked = false;
  int Tag = 0;
  std::vector<std::string> Items;
  int ItemIndex = -1;
  TRect Bounds;     // fixed-layout geometry in design pixels; zoom scales it
  std::string Parent;  // name of the containing control (menu, group), empty = the form
  TAlignment Alignment = TAlignment::Center;  // panels
  // Scroll bars.
  int Min = 0;
  int Max = 100;
  int Position = 0;
  int SmallChange = 1;
  int LargeChange = 10;
  // Grids. Cells holds rows of texts and may hold more rows than RowCount
  // (those are kept but not shown). The first FixedRows rows stay in view as
  // the column headings. ColWidths and RowHeight are design pixels; the
  // operator may change widths (written back here) and row heights.
  std::vector<std::vector<std::string>> Cells;
  int RowCount = 0;
  std::vector<int> ColWidths;
  int RowHeight = 18;
  int FixedRows = 1;
  // The control's own font (grids): a family and a size in points; empty or 0
  // take the form's. FixedPitch asks for a fixed-pitch face when the family is missing.
  std::string FontName;
  int FontSize = 0;
  bool FixedPitch = false;
  // Labels: a font of their own, its height in design pixels (0: the form's),
  // bold or not, in the family FontName.
  int FontPixels = 0;
  bool FontBold = false;

  // Events. OnClick for buttons, panels, menu entries, radio buttons, check
  // boxes and radio groups (after ItemIndex changed by a click); OnChange after the user picked another entry of a list or moved a
  // scroll bar.
  std::function<void()> OnClick;
  std::function<void()> OnChange;
  // Paint boxes: painting and the mouse.
  std::function<void(ICanvas&)> OnPaint;
  std::function<void(const TMouseEvent&)> OnMouseDown;
  std::function<void(const TMouseEvent&)> OnMouseMove;
  std::function<void(const TMouseEvent&)> OnMouseUp;

  std::string SelectedText() const;
  void Click() const {
    if (OnClick) OnClick();
  }

 private:
  TForm& owner_;
  std::string name_;
  TControlKind kind_;
};

class TForm {
 public:
  TForm(std::string name, std::string caption, TRect bounds = {});
  virtual ~TForm() = default;
  TForm(const TForm&) = delete;
  TForm& operator=(const TForm&) = delete;

  const std::string& Name() const { return name_; }
  std::string Caption;
  TRect Bounds;
  double Zoom = 1.0;  // scale of the window's geometry and fonts
  TColor Color = clBtnFace;
  TBorderStyle BorderStyle = TBorderStyle::Dialog;
  TPosition Position = TPosition::Designed;
  bool StayOnTop = false;
  bool CloseBox = true;  // the title bar's close box; without it no title bar buttons at all
  // Bounds' size is the outer frame's (borders, title bar and menu bar
  // included), as the main window's design size is; otherwise the client
  // area's. Bounds' place is always the outer frame's.
  bool FrameSize = false;
  // The user's resizing writes the new size into Bounds and runs FormResize.
  bool ResizeEvents = false;
  // The smallest size the user may give the window (0 = no limit), measured as Bounds is.
  int MinWidth = 0;
  int MinHeight = 0;
  bool Visible = false;
  TModalResult ModalResult = TModalResult::None;

  const std::vector<TControl*>& Controls() const { return controls_; }
  TControl* FindControl(const std::string& name) const;

  virtual void FormCreate() {}
  virtual void FormShow() {}
  // The window's size changed (only for forms with ResizeEvents): Bounds holds
  // the new size.
  virtual void FormResize() {}
  // The user is closing the window (its close box); false keeps it open. Not
  // called when the form closes itself with Close().
  virtual bool FormClose() { return true; }

  // Ends a modal showing with the given result, or hides a non-modal form.
  void Close(TModalResult result = TModalResult::Cancel);
  // Set by whoever shows the form (the Qt layer or a test fake).
  std::function<void(TForm&)> OnCloseRequested;

 private:
  friend class TControl;
  std::string name_;
  std::vector<TControl*> controls_;
};

}  // namespace kvr
