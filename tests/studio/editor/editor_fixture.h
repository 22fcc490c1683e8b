// A shown editor with its highlighter on the X display, and the helpers its
// tests share: the X clipboard through xclip, drops, gutter positions.
#pragma once

#include <QByteArray>
#include <QMimeData>
#include <QStringList>
#include <QTextBlock>
#include <gtest/gtest.h>
#include <memory>

#include "code_highlighter.h"
#include "mycode_edit.h"

namespace vantor::test {

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Middle of line n (1-based) in gutter coordinates, or offset pixels below its top.
    int lineY(int n, int offset = -1) const;
    // The picture resource shown by the first image object of line n.
    QImage pictureOnLine(int n) const;
    int pictureCount() const;
    // Sends enter, move and drop events of data to the editor at a point of its viewport.
    bool drop(QMimeData* data, QPoint at = QPoint(40, 10));

    std::unique_ptr<MycodeEdit> editor;
    CodeHighLighter* highlighter = nullptr;
};

// Runs xclip while this process keeps answering the selection requests it
// makes; false when it fails or does not end within 10 s.
bool runXclip(const QStringList& args, const QByteArray& input = QByteArray(),
              QByteArray* output = nullptr);
// Makes another X client (xclip) the clipboard's owner with data of a type.
bool clipboardFromXclip(const QByteArray& data, const char* type);
// The clipboard text as another X client reads it.
QByteArray clipboardTextFromXclip();

}  // namespace vantor::test
