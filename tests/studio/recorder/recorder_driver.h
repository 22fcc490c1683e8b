// Drives a recorder window as a user does: clicks on its buttons injected by
// another X client, and collects what it hands over.
#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QPushButton>
#include <QSignalSpy>
#include <QString>
#include <QTest>
#include <vector>

#include "rpa_view.h"
#include "xtest_injector.h"

namespace vantor::test {

inline QPushButton* button(RpaView& view, const char* name)
{
    return view.findChild<QPushButton*>(QString::fromLatin1(name));
}

inline QPoint centreOf(QWidget* widget)
{
    return widget->mapToGlobal(widget->rect().center());
}

inline void clickAt(tavix::test::XTestInjector& x, QPoint where)
{
    x.move(where.x(), where.y());
    x.click(1);
    x.sync();
}

// A shown recorder and spies on its two signals.
struct Recorder {
    RpaView view;
    QSignalSpy data{&view, &RpaView::lupingData};
    QSignalSpy closed{&view, &RpaView::closeView};

    bool show()
    {
        view.move(1500, 80);
        view.show();
        return QTest::qWaitForWindowExposed(&view);
    }
    // Clicks start through the X server; true once recording.
    bool start(tavix::test::XTestInjector& x)
    {
        clickAt(x, centreOf(button(view, "btStart")));
        return QTest::qWaitFor([this] { return view.isRecording(); }, 5000);
    }
    // Clicks stop through the X server; the handed-over recording, empty on failure.
    QJsonArray stop(tavix::test::XTestInjector& x)
    {
        const int before = data.count();
        clickAt(x, centreOf(button(view, "btEnd")));
        if (!QTest::qWaitFor([&] { return data.count() > before; }, 5000))
            return {};
        return data.last().at(0).toJsonArray();
    }
};

inline std::vector<QString> names(const QJsonArray& records)
{
    std::vector<QString> out;
    for (const QJsonValue& r : records)
        out.push_back(r.toObject().value("name").toString());
    return out;
}

}  // namespace vantor::test
