// The studio's global stop key: a key combination that stops the running
// script from anywhere on the desktop, also while the studio is hidden or
// another window has the focus. Ctrl+Alt+Shift+X is bound by no common
// desktop (GNOME, KDE, Xfce, Cinnamon, MATE) nor by the studio itself.
#pragma once

#include <QObject>
#include <QString>
#include <memory>

namespace tavix::platform {
class GlobalKeyGrab;
}

namespace vantor {

class StopKey : public QObject {
    Q_OBJECT
public:
    explicit StopKey(QObject* parent = nullptr);
    ~StopKey() override;

    // The combination as the menus and the README name it.
    static QString label();

    // Grabs the key; false with a log line when the desktop refuses it.
    bool start();
    bool isActive() const { return grab_ != nullptr; }

signals:
    // Delivered on this object's thread.
    void pressed();

private:
    std::unique_ptr<tavix::platform::GlobalKeyGrab> grab_;
};

}  // namespace vantor
