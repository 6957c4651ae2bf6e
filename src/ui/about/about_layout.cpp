#include "ui/about/about_layout.h"

namespace murvane {

namespace {

constexpr Colour kBlack = Rgb(0, 0, 0);

ControlDesc Label(std::string name, TwipsRect rect, double points, int tabIndex,
                  std::optional<Colour> colour, std::u16string caption = u"") {
  ControlDesc desc;
  desc.kind = ControlKind::Label;
  desc.id = {std::move(name)};
  desc.caption = std::move(caption);
  desc.rect = rect;
  desc.tabIndex = tabIndex;
  desc.font = {u"Tahoma", points, false, false};
  desc.foreColour = colour;
  return desc;
}

// The etched separator: a grey line with a white one just below it.
ControlDesc Line(int index, TwipsRect fromTo, Colour colour, int width, bool insideSolid) {
  ControlDesc desc;
  desc.kind = ControlKind::Line;
  desc.id = {"Line1", index};
  desc.rect = fromTo;
  desc.foreColour = colour;
  desc.lineWidth = width;
  desc.insideSolid = insideSolid;
  return desc;
}

WindowDesc BuildAboutWindow() {
  WindowDesc window;
  window.name = "frmAbout";
  window.clientWidth = 5730;
  window.clientHeight = 3045;
  window.position = StartPosition::CenterScreen;
  window.icon = "Murvane";
  auto& controls = window.controls;
  controls.push_back(Label("lblTitle", {1050, 240, 3885, 480}, 15.75, 0, kBlack));
  controls.push_back(Label("lblVersion", {1050, 780, 3885, 225}, 8.25, 1, std::nullopt));
  controls.push_back(Label("lblDescription", {1050, 1125, 3885, 930}, 8.25, 2, kBlack));
  controls.push_back(Label("Label1", {300, 2160, 4185, 225}, 8.25, 3, std::nullopt,
                           u"Altre applicazioni by Polden Software le puoi trovare su"));
  ControlDesc link = Label("lblLink", {4500, 2160, 975, 195}, 8.25, 4, kLinkColour, kMakerWebHost);
  link.font.underline = true;
  link.isLink = true;
  controls.push_back(link);
  ControlDesc ok;
  ok.kind = ControlKind::Button;
  ok.id = {"cmdOK"};
  ok.caption = u"OK";
  ok.rect = {4245, 2625, 1260, 345};
  ok.tabIndex = 5;
  ok.isDefault = true;
  ok.isCancel = true;
  controls.push_back(ok);
  controls.push_back(Line(1, {90, 2445, 5654 - 90, 0}, Rgb(128, 128, 128), 1, true));
  controls.push_back(Line(0, {105, 2460, 5654 - 105, 0}, Rgb(255, 255, 255), 2, false));
  return window;
}

}  // namespace

const WindowDesc& AboutWindowLayout() {
  static const WindowDesc layout = BuildAboutWindow();
  return layout;
}

}  // namespace murvane
