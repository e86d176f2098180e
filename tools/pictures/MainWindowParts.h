#pragma once

// Parts of Parvolin's own main window, as the help window shows them. The window is built
// offscreen from the main window's description, without its behaviour (no device scan, no
// handlers), and filled with a destination, a few files and a selection.

#include <QImage>

namespace drawing {

struct HelpPictures {
    QImage copyToRow;     // 227 x 54: "Copy to:" and the start of the destination field
    QImage fileSelection; // 308 x 128: the top left of the file list, two rows selected
    QImage copyButton;    // 162 x 47: the Copy button, enlarged twice
    QImage copyAllButton; // 162 x 47: the same button while Option is held: "Copy All"
};

HelpPictures grabMainWindowParts();

} // namespace drawing
