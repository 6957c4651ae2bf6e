// The configuration window (frmMain) as data: controls, captions, fonts and places in twips.
#pragma once

#include "forms/form_desc.h"

namespace murvane {

// frmMain as the user sees it when configuring: three key frames and two buttons,
// plus the invisible parts (timer, pop-up menu) that live on the same window.
const WindowDesc& ConfigWindowLayout();

}  // namespace murvane
