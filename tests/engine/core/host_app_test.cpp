// A host that owns its QApplication (as the studio does) keeps it: the engine
// builds no second one and shows its boxes through the host's.
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

#include "tavix.h"

namespace {

TEST(HostApplication, EngineUsesTheHostsApplicationObject)
{
    QCoreApplication* host = QCoreApplication::instance();
    ASSERT_NE(qobject_cast<QApplication*>(host), nullptr);
    TX_api_initialize();
    EXPECT_EQ(QCoreApplication::instance(), host);

    TX_baseclass_toast("from the host");
    QMessageBox* toast = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible())
            toast = box;
    ASSERT_NE(toast, nullptr);
    EXPECT_EQ(toast->text(), "from the host");
    QPointer<QMessageBox> gone(toast);
    EXPECT_TRUE(QTest::qWaitFor([&] { return gone.isNull(); }, 10000));
}

}  // namespace
