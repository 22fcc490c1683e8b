#include "qs_label.h"

#include <QPainter>

namespace vantor {

QSLabel::QSLabel(QWidget* parent)
    : QLabel(parent,
             Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool
                 | Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setMouseTracking(true);
}

void QSLabel::setImage(const QPixmap& picture)
{
    picture_ = picture;
    update();
}

void QSLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

}  // namespace vantor
