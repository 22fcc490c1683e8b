#include "held_input.h"

#include <QCursor>
#include <QDebug>
#include <QGuiApplication>
#include <QPoint>
#include <QStringList>
#include <algorithm>

#include "tavix.h"

namespace vantor {

namespace {

struct ButtonRelease {
    const char* name;
    void (*up)(int x, int y);
};

// Indexed by HeldInput::Button.
constexpr ButtonRelease kButtons[] = {
    {"left mouse button", TX_cs_mouseLeftUp},
    {"right mouse button", TX_cs_mouseRightUp},
    {"middle mouse button", TX_cs_mouseMiddleUp},
};

struct KeyName {
    int code;
    const char* name;
};

// Keys a script commonly holds; others are named by their code alone.
constexpr KeyName kKeyNames[] = {
    {0x08, "Backspace"},  {0x09, "Tab"},         {0x0D, "Enter"},     {0x10, "Shift"},
    {0x11, "Ctrl"},       {0x12, "Alt"},         {0x14, "CapsLock"},  {0x1B, "Esc"},
    {0x20, "Space"},      {0x25, "Left"},        {0x26, "Up"},        {0x27, "Right"},
    {0x28, "Down"},       {0x2E, "Delete"},      {0x5B, "Win"},       {0x5C, "right Win"},
    {0xA0, "left Shift"}, {0xA1, "right Shift"}, {0xA2, "left Ctrl"}, {0xA3, "right Ctrl"},
    {0xA4, "left Alt"},   {0xA5, "right Alt"},
};

// The up call of a button acts where it is told; releasing where the pointer
// is now leaves the pointer where the user or the script last put it.
QPoint pointerNow()
{
    if (!QGuiApplication::primaryScreen())
        return QPoint(0, 0);
    return QCursor::pos();
}

}  // namespace

HeldInput& HeldInput::instance()
{
    static HeldInput* const record = new HeldInput;  // used until the process ends
    return *record;
}

bool HeldInput::press(Input input, const std::function<bool()>& call)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!call())
        return false;
    if (std::find(held_.begin(), held_.end(), input) == held_.end())
        held_.push_back(input);
    return true;
}

bool HeldInput::lift(std::initializer_list<Input> inputs, const std::function<bool()>& call)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!call())
        return false;
    for (const Input& input : inputs)
        held_.erase(std::remove(held_.begin(), held_.end(), input), held_.end());
    return true;
}

void HeldInput::neutral(const std::function<void()>& call)
{
    std::lock_guard<std::mutex> lock(mutex_);
    call();
}

bool HeldInput::isHeld(Input input) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return std::find(held_.begin(), held_.end(), input) != held_.end();
}

bool HeldInput::empty() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return held_.empty();
}

QString HeldInput::releaseAll(const std::function<void()>& last)
{
    std::lock_guard<std::mutex> lock(mutex_);
    QString line = releaseHeld();
    if (last)
        last();
    return line;
}

QString HeldInput::releaseHeld()
{
    if (held_.empty())
        return QString();
    QStringList names;
    for (auto it = held_.rbegin(); it != held_.rend(); ++it) {
        if (it->kind == Kind::Button) {
            const QPoint at = pointerNow();
            kButtons[it->code].up(at.x(), at.y());
        } else {
            TX_cs_keyUp(it->code);
        }
        names << nameOf(*it);
    }
    held_.clear();
    const QString line = QStringLiteral("Released what the script still held down: %1")
                             .arg(names.join(QStringLiteral(", ")));
    qDebug().noquote() << line;
    return line;
}

QString HeldInput::nameOf(Input input)
{
    if (input.kind == Kind::Button)
        return QString::fromLatin1(kButtons[input.code].name);
    const auto* known = std::find_if(std::begin(kKeyNames), std::end(kKeyNames),
                                     [&](const KeyName& key) { return key.code == input.code; });
    if (known != std::end(kKeyNames))
        return QStringLiteral("key %1 (%2)").arg(input.code).arg(QLatin1String(known->name));
    if ((input.code >= '0' && input.code <= '9') || (input.code >= 'A' && input.code <= 'Z'))
        return QStringLiteral("key %1 (%2)").arg(input.code).arg(QChar(input.code));
    return QStringLiteral("key %1").arg(input.code);
}

}  // namespace vantor
