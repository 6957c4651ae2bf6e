// Windows, controls and menus declared as data. Every backend builds its native
// widgets from these tables; nothing about a window's look is hard-coded elsewhere.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace murvane {

// 1440 twips to the inch; backends convert with the screen's real density.
struct TwipsRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// COLORREF layout, 0x00BBGGRR.
using Colour = std::uint32_t;
constexpr Colour Rgb(int r, int g, int b) {
  return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}

enum class ControlKind { Frame, Button, CheckBox, TextBox, Image, Label, Line, Timer };

struct FontDesc {
  std::u16string face;  // empty: the window's default font
  double points = 0;
  bool bold = false;
  bool underline = false;
};

// A control array shares one name; its elements are told apart by index.
// Index -1 marks a control that is not part of an array.
struct ControlId {
  std::string name;
  int index = -1;
  friend bool operator==(const ControlId&, const ControlId&) = default;
  friend auto operator<=>(const ControlId&, const ControlId&) = default;
};

struct ControlDesc {
  ControlKind kind = ControlKind::Label;
  ControlId id;
  std::string parent;  // name of the enclosing frame; empty for the window itself
  std::u16string caption;
  // For a Line, left/top is the start point and left+width/top+height the end point.
  TwipsRect rect;
  // Keyboard order. Only visible buttons, checkboxes and text boxes take the focus.
  int tabIndex = -1;
  bool visible = true;
  int value = 0;        // a checkbox's value at design: 1 ticked, 0 cleared
  std::string picture;  // resource name of an image's design-time picture
  FontDesc font;
  std::optional<Colour> foreColour;  // none: the system's text colour
  int lineWidth = 1;                 // Line only
  bool insideSolid = false;          // Line only
  bool isDefault = false;            // Button: Enter presses it
  bool isCancel = false;             // Button: Esc presses it
  int intervalMs = 0;                // Timer only; enabled while the window is loaded
  bool isLink = false;               // Label: a web link, reached by Tab, opened by Enter or Space
  // What a screen reader calls the control where its caption would not tell it
  // from its neighbours; empty: the caption.
  std::u16string accessibleName;
  // Image: the control whose text says which file the picture is.
  std::optional<ControlId> describedBy;
};

struct MenuItemDesc {
  std::string name;
  std::u16string caption;  // "-" draws a separator
  bool checked = false;    // drawn with a tick
};

struct MenuDesc {
  std::string name;
  std::u16string caption;
  std::vector<MenuItemDesc> items;
};

enum class StartPosition { WindowsDefault, CenterScreen };

struct WindowDesc {
  std::string name;
  std::u16string caption;
  int clientWidth = 0;  // twips
  int clientHeight = 0;
  StartPosition position = StartPosition::WindowsDefault;
  std::string icon;  // resource name of the window's icon
  std::vector<ControlDesc> controls;
  std::vector<MenuDesc> menus;  // opened only as pop-ups, never drawn as a bar

  const ControlDesc* Find(const ControlId& id) const;
  const MenuDesc* FindMenu(const std::string& menuName) const;
};

}  // namespace murvane
