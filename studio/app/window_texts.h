// Fixed texts of the main window: its title and the pictures of its buttons.
#pragma once

#include <QString>

namespace vantor {

// "Lumora" for a new script, "Lumora - [path]" for a saved or opened one and
// "Lumora - [path*]" once it has been edited since.
QString windowTitleFor(const QString& currentFile, bool edited);

// The style sheet that shows `picture` (a resource path) on a toolbar button.
QString buttonStyleSheet(const QString& picture);

}  // namespace vantor
