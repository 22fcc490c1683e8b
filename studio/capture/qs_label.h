// The preview of the capture overlay: a frameless window over the selection
// that shows the selected part of the grab undimmed. It lets mouse input
// through to the overlay below, so that the selection can be moved by
// dragging its inside, and never takes the keyboard focus from it.
#pragma once

#include <QLabel>
#include <QPixmap>

namespace vantor {

class QSLabel : public QLabel {
    Q_OBJECT
public:
    explicit QSLabel(QWidget* parent = nullptr);

    void setImage(const QPixmap& picture);
    QPixmap image() const { return picture_; }

public slots:
    // The drawing tools' text box is not part of the running tool.
    void ontextchanged() {}

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
};

}  // namespace vantor
