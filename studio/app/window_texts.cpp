#include "window_texts.h"

namespace vantor {

QString windowTitleFor(const QString& currentFile, bool edited)
{
    if (currentFile.isEmpty())
        return QStringLiteral("Lumora");
    return edited ? QStringLiteral("Lumora - [%1*]").arg(currentFile)
                  : QStringLiteral("Lumora - [%1]").arg(currentFile);
}

QString buttonStyleSheet(const QString& picture)
{
    // The same picture in every state of the button.
    return QStringLiteral(
               "QPushButton{border-image: url(%1)}"
               "QPushButton:hover{border-image: url(%1)}"
               "QPushButton:pressed{border-image: url(%1)}"
               "QToolTip { color: #f36c60; background-color: white; }")
        .arg(picture);
}

}  // namespace vantor
