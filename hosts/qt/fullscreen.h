// Fullscreen windows that cover their screen with or without a window manager.
#pragma once

class QWidget;

namespace velk::desktop {

// Shows `widget` fullscreen over the whole of its screen.
void ShowCoveringScreen(QWidget& widget);

}  // namespace velk::desktop
