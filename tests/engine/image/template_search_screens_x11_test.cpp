// The template search on real screens: a terminal-like text window, a file
// dialog and a form with buttons shown on the X display and captured; templates
// cut from the captures, pixel-exact and altered (JPEG, brighter, half and
// double size, absent, uniform, repeated), searched at levels 0 and 1 and in
// rectangles, must give what the OpenCV reference gives.
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "core/desktop.h"
#include "display.h"
#include "image_fixtures.h"
#include "search_agreement.h"

using namespace tavix::test;
using tavix::Corners;

namespace {

QImage jpegCopy(const QImage& image)
{
    QImage out;
    out.loadFromData(encoded(image, "JPEG"), "JPEG");
    return out.convertToFormat(QImage::Format_RGB32);
}

QImage brighter(const QImage& image, int amount)
{
    QImage out = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            row[x] = qRgb(qMin(qRed(row[x]) + amount, 255), qMin(qGreen(row[x]) + amount, 255),
                          qMin(qBlue(row[x]) + amount, 255));
    }
    return out;
}

QImage resized(const QImage& image, double factor)
{
    return image.scaled(qRound(image.width() * factor), qRound(image.height() * factor),
                        Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// The three windows, frameless at fixed places, and what they show.
class Desktop {
public:
    Desktop()
    {
        QFile(folder.filePath("report.txt")).open(QIODevice::WriteOnly);
        QFile(folder.filePath("notes.md")).open(QIODevice::WriteOnly);
        QFile(folder.filePath("data.csv")).open(QIODevice::WriteOnly);
        QDir(folder.path()).mkdir("photos");
        QDir(folder.path()).mkdir("music");

        terminal = std::make_unique<QPlainTextEdit>();
        terminal->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        terminal->setStyleSheet("QPlainTextEdit { background: black; color: #c0ffc0; }");
        terminal->setFont(QFont("DejaVu Sans Mono", 10));
        QString text = "user@host:~$ ls -l /srv/data\n";
        const char* names[] = {"archive", "backup",  "cache", "logs",
                               "reports", "scripts", "tmp",   "www"};
        for (int i = 0; i < 8; ++i)
            text += QString("drwxr-xr-x  2 user user  4096 Mar %1 10:%2 %3\n")
                        .arg(i + 3)
                        .arg(10 + 5 * i)
                        .arg(names[i]);
        text += "user@host:~$ df -h | grep sda\n/dev/sda1  98G  41G  52G  45% /\nuser@host:~$ ";
        terminal->setPlainText(text);
        terminal->setReadOnly(true);  // no blinking cursor
        terminal->setGeometry(20, 20, 600, 380);

        dialog = std::make_unique<QFileDialog>(nullptr, "Open a file", folder.path());
        dialog->setOption(QFileDialog::DontUseNativeDialog);
        dialog->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        dialog->setGeometry(660, 20, 640, 420);

        form = std::make_unique<QWidget>();
        form->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        auto* layout = new QFormLayout(form.get());
        layout->addRow("Name:", new QLineEdit("Ada Lovelace"));
        layout->addRow("E-mail:", new QLineEdit("ada@example.org"));
        auto* combo = new QComboBox;
        combo->addItems({"Engineering", "Sales", "Support"});
        layout->addRow("Department:", combo);
        for (const char* label : {"Photo:", "Contract:", "Badge:"}) {
            auto* row = new QHBoxLayout;
            row->addWidget(new QLineEdit);
            auto* browse = new QPushButton("Browse...");
            browseButtons.push_back(browse);
            row->addWidget(browse);
            layout->addRow(label, row);
        }
        layout->addRow(new QCheckBox("Send me the newsletter"));
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel
                                             | QDialogButtonBox::Apply);
        okButton = buttons->button(QDialogButtonBox::Ok);
        layout->addRow(buttons);
        form->setGeometry(20, 460, 560, 330);
    }

    // Shows the windows and captures the screen once it has settled.
    QImage show()
    {
        for (QWidget* w : {static_cast<QWidget*>(terminal.get()),
                           static_cast<QWidget*>(dialog.get()), form.get()}) {
            w->show();
            if (!QTest::qWaitForWindowExposed(w))
                return {};
        }
        QImage last;
        QImage settled;
        QTest::qWaitFor(
            [&] {
                const QImage now = tavix::core::grabScreen();
                if (!now.isNull() && now == last && now.pixel(610, 390) == qRgb(0, 0, 0))
                    settled = now;
                last = now;
                return !settled.isNull();
            },
            10000);
        return settled.convertToFormat(QImage::Format_RGB32);
    }

    QTemporaryDir folder;
    std::unique_ptr<QPlainTextEdit> terminal;
    std::unique_ptr<QFileDialog> dialog;
    std::unique_ptr<QWidget> form;
    std::vector<QPushButton*> browseButtons;
    QPushButton* okButton = nullptr;
};

QRect onScreen(QWidget* widget)
{
    return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}

struct Cut {
    const char* name;
    QRect window;  // the part of the screen searched
    QRect templ;   // where the template is cut, in screen pixels
};

class ScreenCorpus : public ::testing::Test {
protected:
    void SetUp() override { TAVIX_REQUIRE_X11(); }
};

TEST_F(ScreenCorpus, EngineAgreesWithOpenCvOnRealWindows)
{
    Desktop desktop;
    const QImage screen = desktop.show();
    ASSERT_FALSE(screen.isNull()) << "the windows did not appear";
    if (qEnvironmentVariableIsSet("TAVIX_SAVE_CORPUS"))
        screen.save(qEnvironmentVariable("TAVIX_SAVE_CORPUS"));
    const QRect terminal = desktop.terminal->geometry();
    const QRect dialog = desktop.dialog->geometry();
    const QRect form = desktop.form->geometry();
    const QRect browse = onScreen(desktop.browseButtons[1]);
    const Cut cuts[] = {
        {"terminal prompt", terminal, QRect(terminal.topLeft() + QPoint(4, 4), QSize(96, 18))},
        {"terminal permissions (repeated)", terminal,
         QRect(terminal.topLeft() + QPoint(4, 60), QSize(80, 14))},
        {"file dialog", dialog,
         QRect(dialog.topLeft() + QPoint(dialog.width() / 2, 40), QSize(100, 40))},
        {"form OK button", form, onScreen(desktop.okButton)},
        {"form Browse button (repeated)", form, browse},
    };
    AgreementCounts counts;
    for (const Cut& cut : cuts) {
        const QImage source = screen.copy(cut.window);
        const QImage exact = screen.copy(cut.templ);
        const QRect at = cut.templ.translated(-cut.window.topLeft());
        const QImage absent =
            screen.copy(cut.window == form ? QRect(terminal.topLeft() + QPoint(4, 4), QSize(96, 18))
                                           : QRect(onScreen(desktop.okButton)));
        const struct {
            const char* name;
            QImage templ;
            bool inRectangles;
        } variants[] = {
            {"exact", exact, true},
            {"JPEG", jpegCopy(exact), true},
            {"brighter", brighter(exact, 30), false},
            {"half size", resized(exact, 0.5), false},
            {"double size", resized(exact, 2.0), true},
            {"absent", absent, false},
            {"uniform", solid(30, 16, QColor(source.pixel(2, 2)), QImage::Format_RGB32), false},
        };
        const Corners around{at.left() - 30, at.top() - 20, at.right() + 30, at.bottom() + 20};
        const Corners leftHalf{0, 0, source.width() / 2, source.height() - 1};
        for (const auto& v : variants) {
            const std::string name = std::string(cut.name) + ", " + v.name;
            expectAgreement(source, v.templ, 0.9f, {}, 0, name, &counts);
            if (!v.inRectangles)
                continue;
            expectAgreement(source, v.templ, 0.9f, {}, 1, name + ", level 1", &counts);
            expectAgreement(source, v.templ, 0.9f, around, 0, name + ", around", &counts);
            expectAgreement(source, v.templ, 0.8f, leftHalf, 1, name + ", left half, level 1",
                            &counts);
        }
        EXPECT_EQ(tavix::image::findTemplate(source, exact, 0.9f, {}, 0).attempt, 0) << cut.name;
    }
    // The whole screen: the exact pass and the correlation on a full capture.
    const QImage ok = screen.copy(onScreen(desktop.okButton));
    expectAgreement(screen, ok, 0.9f, {}, 0, "screen, OK button", &counts);
    expectAgreement(screen, jpegCopy(ok), 0.9f, {}, 0, "screen, OK button JPEG", &counts);
    std::printf("%d searches, %d found, %d ties, %d differences from OpenCV's rounding\n",
                counts.searches, counts.found, counts.ties, counts.rounding);
    EXPECT_GT(counts.found, counts.searches / 3);
}

}  // namespace
