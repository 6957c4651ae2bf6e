#pragma once

#include "forms/form_desc.h"

namespace murvane {

// Where the link sends people. A reserved example domain until the maker's page exists.
inline const std::u16string kMakerWebPage = u"http://www.example.com/";
inline const std::u16string kMakerWebHost = u"www.example.com";

constexpr Colour kLinkColour = Rgb(0, 0, 255);
constexpr Colour kLinkHotColour = Rgb(0, 255, 0);

const WindowDesc& AboutWindowLayout();

}  // namespace murvane
