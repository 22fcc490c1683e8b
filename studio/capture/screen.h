// The capture overlay: a frozen grab of the primary screen over the whole
// screen, dimmed outside the area the user drags out. Finishing puts the
// selected picture on the clipboard and hands it over by signal. A new Screen
// is made for every capture; it deletes itself when it closes.
#pragma once

#include <QImage>
#include <QPainterPath>
#include <QPixmap>
#include <QWidget>

#include "capture_selection.h"
#include "my_rect.h"

namespace vantor {

class ControlWidget;
class QSLabel;

class Screen : public QWidget {
    Q_OBJECT
public:
    // Grabs the primary screen and shows the overlay over it. When the grab
    // fails no overlay appears: the user gets a message and the screen closes
    // itself (caceBtClick) once control returns to the event loop.
    explicit Screen(QWidget* parent = nullptr);
    ~Screen() override;

    bool grabFailed() const { return grab_.isNull(); }
    QPixmap grabbed() const { return grab_; }
    // The selected area in grab coordinates, its corners in order.
    QRect selection() const { return selection_.area(); }
    QImage selectedImage() const;
    const MyRect& sizeLabel() const { return sizeLabel_; }
    CaptureHandle handle() const { return selection_.handle(); }
    bool selecting() const { return selection_.selecting(); }
    QWidget* barContainer() const { return control_; }
    ControlWidget* bar() const { return bar_; }
    QSLabel* preview() const { return preview_; }

    void setVisible(bool visible) override;

public slots:
    // Exit: signals caceBtClick, closes the overlay and the preview.
    void cancel();
    // Finish: the selection to the clipboard, saveClick, saveImg, then exit.
    void finish();

signals:
    void saveClick();
    void saveImg(QImage img);
    void caceBtClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void reportGrabFailure();
    void updatePreview();
    void updateSizeLabel();
    void placeBar();
    // The part of the overlay that the selection's drawing covers.
    QRect decorations() const;

    QPixmap grab_;
    QPixmap dimmed_;  // the grab under the darkening of the outside
    CaptureSelection selection_;
    QPainterPath outline_;
    MyRect sizeLabel_;
    QWidget* control_ = nullptr;
    ControlWidget* bar_ = nullptr;
    QSLabel* preview_ = nullptr;
    QRect previewArea_;  // what the preview shows now
    bool closing_ = false;
};

}  // namespace vantor
