// Where the program's boxes sit and how wide they are: centred on the window
// that shows them, and never narrower than their caption needs.
#pragma once

#include <functional>

class QFont;
class QMessageBox;
class QString;
class QWidget;

namespace tesu {

// The width a title bar needs for the caption: its text in the bold title
// font, and room for the window manager's icon and buttons.
int caption_width(const QString& caption, const QFont& font);

// Widens a message box's layout to caption_width.
void fit_caption(QMessageBox& box);

// Moves a top-level window so that its frame's centre meets the centre of
// the owner's top-level window, inside the owner's screen. The box is not
// framed before it is mapped: its frame is taken to be like the owner's.
void centre_on(QWidget& box, const QWidget* owner);

// Calls `then` once the window is on screen, where the window manager has
// placed it, so that the boxes it shows are centred over where it is.
void when_exposed(QWidget& window, std::function<void()> then);

}  // namespace tesu
