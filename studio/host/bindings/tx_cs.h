// The script object `cs`: mouse and keyboard input, one engine call per method.
#pragma once

#include <QObject>

namespace vantor {

class TX_cs : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

public slots:
    void home();
    void mouseLeftClick(int x, int y);
    void mouseLeftDoubleClick(int x, int y);
    void mouseLeftDown(int x, int y);
    void mouseLeftUp(int x, int y);
    void mouseRightClick(int x, int y);
    void mouseRightDoubleClick(int x, int y);
    void mouseRightDown(int x, int y);
    void mouseRightUp(int x, int y);
    void mouseMiddleClick(int x, int y);
    void mouseMiddleDoubleClick(int x, int y);
    void mouseMiddleDown(int x, int y);
    void mouseMiddleUp(int x, int y);
    void mouseMove(int x, int y);
    void mouseDrag(int x, int y, int x1, int y1);
    void keyPress(int code);
    void keyDown(int code);
    void keyUp(int code);
};

}  // namespace vantor
