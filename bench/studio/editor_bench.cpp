// The script editor on a 5,000-line script with 40 inline pictures of 200 x 100:
// loading it (setScriptText), writing it back (toScriptText), and a key press
// in the middle of it up to the end of re-highlighting and repainting, next
// to a plain QPlainTextEdit with the same highlighter as the floor (and the
// bare QTextEdit the editor is built on).
#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <benchmark/benchmark.h>
#include <memory>

#include "code_highlighter.h"
#include "highlight_rules.h"
#include "mycode_edit.h"
#include "tavix.h"
#include "tavix_mgr.h"

namespace {

constexpr int kLines = 5000;
constexpr int kPictures = 40;

QString pictureUrl(int index)
{
    QImage picture(200, 100, QImage::Format_ARGB32);
    picture.fill(QColor::fromHsv(index * 9 % 360, 180, 220));
    QPainter painter(&picture);
    painter.setPen(Qt::black);
    painter.drawText(picture.rect(), Qt::AlignCenter, QStringLiteral("button %1").arg(index));
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(bytes.toBase64());
}

const QString& script()
{
    static const QString text = [] {
        QString out;
        const int every = kLines / kPictures;
        for (int i = 0; i < kLines; ++i) {
            if (i % every == every / 2)
                out += QStringLiteral("imagev.mouseLeftClick(\"%1\"); // 点击第%2个按钮\n")
                           .arg(pictureUrl(i / every))
                           .arg(i / every);
            else if (i % 10 == 0)
                out += QStringLiteral("/* step %1: wait for the window */\n").arg(i);
            else
                out += QStringLiteral(
                           "var v%1 = cs.mouseMove(%1, 20); if (v%1) { log.info(\"moved\"); }\n")
                           .arg(i);
        }
        return out;
    }();
    return text;
}

struct Editors {
    vantor::MycodeEdit editor;
    vantor::CodeHighLighter highlighter{editor.document()};
    QPlainTextEdit plain;
    vantor::CodeHighLighter plainHighlighter{plain.document()};
    // The rich-text edit the editor is built on, without anything of its own.
    QTextEdit rich;
    vantor::CodeHighLighter richHighlighter{rich.document()};

    Editors()
    {
        editor.setGeometry(0, 0, 900, 700);
        plain.setGeometry(0, 0, 900, 700);
        plain.setLineWrapMode(QPlainTextEdit::NoWrap);
        rich.setGeometry(0, 0, 900, 700);
        rich.setLineWrapMode(QTextEdit::NoWrap);
        editor.show();
        plain.show();
        rich.show();
        if (!QTest::qWaitForWindowExposed(&editor) || !QTest::qWaitForWindowExposed(&plain))
            qWarning("editor_bench: windows not exposed");
    }
};

Editors& editors()
{
    static Editors* e = new Editors;
    return *e;
}

void BM_EditorOpen(benchmark::State& state)
{
    auto& e = editors();
    for (auto _ : state)
        e.editor.setScriptText(script());
    state.counters["lines"] = e.editor.document()->blockCount();
}
BENCHMARK(BM_EditorOpen)->Unit(benchmark::kMillisecond);

void BM_EditorSave(benchmark::State& state)
{
    auto& e = editors();
    e.editor.setScriptText(script());
    bool same = true;
    for (auto _ : state) {
        const QString text = e.editor.toScriptText();
        same = same && text.size() == script().size();
        benchmark::DoNotOptimize(text);
    }
    if (!same || e.editor.toScriptText() != script())
        state.SkipWithError("script text differs from the loaded script");
}
BENCHMARK(BM_EditorSave)->Unit(benchmark::kMillisecond);

// Long scripts stay workable: 100,000 short lines, with and without the highlighter.
const QString& longScript()
{
    static const QString text = [] {
        QString out;
        for (int i = 0; i < 100000; ++i)
            out += QStringLiteral("var v%1 = cs.home(); // %2\n").arg(i).arg(i % 7 ? "x" : "注释");
        return out;
    }();
    return text;
}

void BM_EditorOpenHundredThousandLines(benchmark::State& state)
{
    vantor::MycodeEdit editor;
    std::unique_ptr<vantor::CodeHighLighter> highlighter;
    if (state.range(0))
        highlighter = std::make_unique<vantor::CodeHighLighter>(editor.document());
    editor.setGeometry(0, 0, 900, 700);
    editor.show();
    for (auto _ : state) {
        editor.setScriptText(longScript());
        QApplication::processEvents();
    }
}
BENCHMARK(BM_EditorOpenHundredThousandLines)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// A 10 MB data URL that is no picture stays text: loading it and typing beside it.
void BM_EditorHugeUndecodableDataUrl(benchmark::State& state)
{
    const QString text = QStringLiteral("big = \"data:image/png;base64,")
        + QString(10 * 1024 * 1024, QLatin1Char('A')) + QStringLiteral("\";\n");
    vantor::MycodeEdit editor;
    std::unique_ptr<vantor::CodeHighLighter> highlighter;
    if (state.range(0))
        highlighter = std::make_unique<vantor::CodeHighLighter>(editor.document());
    editor.setGeometry(0, 0, 900, 700);
    editor.show();
    QElapsedTimer timer;
    for (auto _ : state) {
        timer.start();
        editor.setScriptText(text);
        QApplication::processEvents();
        state.counters["open_ms"] = timer.restart();
        QTest::keyClick(&editor, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(&editor, Qt::Key_X);
        editor.viewport()->repaint();
        state.counters["key_ms"] = timer.restart();
        benchmark::DoNotOptimize(editor.toScriptText());
        state.counters["save_ms"] = timer.restart();
    }
}
BENCHMARK(BM_EditorHugeUndecodableDataUrl)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// The highlighting rules alone over every line of the script.
void BM_HighlightRulesAllLines(benchmark::State& state)
{
    const QStringList lines = script().split(QLatin1Char('\n'));
    vantor::HighlightRules rules;
    for (auto _ : state) {
        int block = -1;
        for (const QString& line : lines)
            benchmark::DoNotOptimize(rules.spans(line, block, &block));
    }
}
BENCHMARK(BM_HighlightRulesAllLines)->Unit(benchmark::kMillisecond);

// A key and its Backspace in the middle of the document, each up to the end
// of re-highlighting and of repainting the text and the gutter.
template <typename Edit, typename Repaint>
void typeInTheMiddle(benchmark::State& state, Edit& edit, Repaint repaint)
{
    QTextCursor cursor(edit.document()->findBlockByNumber(kLines / 2 + 1));
    cursor.movePosition(QTextCursor::EndOfBlock);
    edit.setTextCursor(cursor);
    edit.ensureCursorVisible();
    repaint();
    for (auto _ : state) {
        QTest::keyClick(&edit, Qt::Key_X);
        repaint();
        QTest::keyClick(&edit, Qt::Key_Backspace);
        repaint();
    }
    state.SetItemsProcessed(state.iterations() * 2);
}

void BM_EditorKeyPress(benchmark::State& state)
{
    auto& e = editors();
    e.editor.setScriptText(script());
    typeInTheMiddle(state, e.editor, [&] {
        e.editor.viewport()->repaint();
        e.editor.gutter()->repaint();
    });
}
BENCHMARK(BM_EditorKeyPress)->Unit(benchmark::kMicrosecond);

void BM_PlainTextEditKeyPressFloor(benchmark::State& state)
{
    auto& e = editors();
    e.plain.setPlainText(script());
    typeInTheMiddle(state, e.plain, [&] { e.plain.viewport()->repaint(); });
}
BENCHMARK(BM_PlainTextEditKeyPressFloor)->Unit(benchmark::kMicrosecond);

void BM_TextEditKeyPressFloor(benchmark::State& state)
{
    auto& e = editors();
    e.rich.setPlainText(script());
    typeInTheMiddle(state, e.rich, [&] { e.rich.viewport()->repaint(); });
}
BENCHMARK(BM_TextEditKeyPressFloor)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TX_api_initialize();
    vantor::TavixMgr::instance();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
