#include "tx_cs.h"

#include "tavix.h"

namespace vantor {

void TX_cs::home() { TX_cs_home(); }
void TX_cs::mouseLeftClick(int x, int y) { TX_cs_mouseLeftClick(x, y); }
void TX_cs::mouseLeftDoubleClick(int x, int y) { TX_cs_mouseLeftDoubleClick(x, y); }
void TX_cs::mouseLeftDown(int x, int y) { TX_cs_mouseLeftDown(x, y); }
void TX_cs::mouseLeftUp(int x, int y) { TX_cs_mouseLeftUp(x, y); }
void TX_cs::mouseRightClick(int x, int y) { TX_cs_mouseRightClick(x, y); }
void TX_cs::mouseRightDoubleClick(int x, int y) { TX_cs_mouseRightDoubleClick(x, y); }
void TX_cs::mouseRightDown(int x, int y) { TX_cs_mouseRightDown(x, y); }
void TX_cs::mouseRightUp(int x, int y) { TX_cs_mouseRightUp(x, y); }
void TX_cs::mouseMiddleClick(int x, int y) { TX_cs_mouseMiddleClick(x, y); }
void TX_cs::mouseMiddleDoubleClick(int x, int y) { TX_cs_mouseMiddleDoubleClick(x, y); }
void TX_cs::mouseMiddleDown(int x, int y) { TX_cs_mouseMiddleDown(x, y); }
void TX_cs::mouseMiddleUp(int x, int y) { TX_cs_mouseMiddleUp(x, y); }
void TX_cs::mouseMove(int x, int y) { TX_cs_mouseMove(x, y); }
void TX_cs::mouseDrag(int x, int y, int x1, int y1) { TX_cs_mouseDrag(x, y, x1, y1); }
void TX_cs::keyPress(int code) { TX_cs_keyPress(code); }
void TX_cs::keyDown(int code) { TX_cs_keyDown(code); }
void TX_cs::keyUp(int code) { TX_cs_keyUp(code); }

}  // namespace vantor
