// The About window as data: its controls, captions, fonts and places in twips.
#pragma once

#include "forms/form_desc.h"

namespace murvane {

// Where the link sends people: a reserved example domain until the maker has a page. The
// host must fit the link label, 975 twips wide.
inline const std::u16string kMakerWebPage = u"http://example.com/";
inline const std::u16string kMakerWebHost = u"example.com";

constexpr Colour kLinkColour = Rgb(0, 0, 255);
constexpr Colour kLinkHotColour = Rgb(0, 255, 0);

const WindowDesc& AboutWindowLayout();

}  // namespace murvane
