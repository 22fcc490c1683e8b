// The baseclass family: boxes, sleeping, screenshots, clipboard, pixel colour.
#pragma once

#include <QString>

namespace tavix::core {

void msg(const QString& text);
void toast(const QString& text);
void sleep(int ms);
bool screenshots(const QString& path);
// Text results live in each function's own 16384-byte array.
const char* getClip();
const char* getColor(int x, int y);

}  // namespace tavix::core
