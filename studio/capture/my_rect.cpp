#include "my_rect.h"

#include <QPainter>

namespace vantor {

void MyRect::paint(QPainter& painter) const
{
    painter.save();
    painter.setPen(QPen(Qt::black));
    painter.setBrush(QColor(0, 0, 0, 150));
    painter.drawRect(rect_);
    painter.setPen(Qt::white);
    painter.drawText(rect_, Qt::AlignCenter, text_);
    painter.restore();
}

}  // namespace vantor
