#pragma once

class QWidget;

namespace vesk {

// Makes screen readers take `window`, a plain widget shown as a window, for a frame with its
// title as its name; by default such a widget reads as an unnamed filler.
void announceAsWindow(QWidget& window);

} // namespace vesk
