#pragma once

#include "runtime/label.h"

#include <span>

namespace app {

// The title screen's texts as the build drew them, at one and at twice the size
// (render/prerender.cpp).
extern const std::span<const rt::PrerenderedText> titleTexts1x;
extern const std::span<const rt::PrerenderedText> titleTexts2x;

} // namespace app
