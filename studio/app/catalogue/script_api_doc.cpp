#include "script_api_doc.h"

#include <QStringList>

#include "api_table.h"

namespace vantor {

namespace {

const char* const kIntroduction = R"(# Script API reference

This page lists every global object and function that scripts can use, in the
studio and with `vantor-run script.js`. It is generated from the table behind
the studio's API catalogue (`studio/app/catalogue/api_table.cpp`) by
`vantor-api-doc`; a test checks it against the script objects themselves.

## Conventions

- **Calls.** Arguments in brackets or with a default (`name = value`) may be left
  out; every other argument is required. A missing text argument arrives as the
  text "undefined", a missing number as 0. A call whose arguments fit no form
  fails with a script type error. The methods themselves never throw: failures
  come back as `false`, `undefined`, `""`, 0 or -1 as listed.
- **Pictures in scripts.** Template pictures are written as text:
  `"data:image/png;base64,"` followed by the Base64 of a PNG file. The studio's
  screenshot tool (Alt+S) and the camera entries of its catalogue insert them;
  outside the studio, make one with `image.toBase64` or any Base64 tool.
- **Image handles.** `image.read`, `image.copy` and most `image` operations
  return a handle to pass to other `image`, `ocr` and `utils` methods. The
  operations marked "shared handle" return the engine's one shared picture,
  which the next image operation replaces: keep a result with `image.copy`.
- **Rectangles.** `image.rect(x, y, width, height)` makes a rectangle.
  `imagev` methods search the area of width by height at (x, y) of the screen;
  `image` searches take (x, y) and (width, height) as the two corners.
  `null` (the default) means the whole screen or picture.
- **Coordinates and keys.** Screen coordinates are pixels from the primary
  screen's top-left corner. Key codes are Windows virtual-key codes
  (65 = A, 13 = Return, 27 = Escape, 91 = Super).
- **Results.** "undefined" means the method returns nothing; "point" is an
  object `{x, y}`.
)";

QString formOf(const ApiMethod& method, const ApiForm& form)
{
    QStringList params;
    for (const ApiParam& param : form.params) {
        QString text = QString::fromUtf8(param.name);
        if (param.defaultValue)
            text += QStringLiteral(" = ") + QString::fromUtf8(param.defaultValue);
        params << text;
    }
    const QString prefix =
        *method.object ? QString::fromUtf8(method.object) + QLatin1Char('.') : QString();
    return prefix + QString::fromUtf8(method.name) + QLatin1Char('(')
        + params.join(QStringLiteral(", ")) + QLatin1Char(')');
}

QString argumentsOf(const ApiForm& form)
{
    QStringList arguments;
    for (const ApiParam& param : form.params) {
        QString text = QStringLiteral("`%1` %2").arg(QString::fromUtf8(param.name),
                                                     QString::fromUtf8(param.type));
        if (param.defaultValue)
            text += QStringLiteral(" (default %1)").arg(QString::fromUtf8(param.defaultValue));
        arguments << text;
    }
    return arguments.isEmpty() ? QStringLiteral("none") : arguments.join(QStringLiteral("; "));
}

void writeMethod(QString& out, const ApiMethod& method)
{
    QStringList headings;
    for (const ApiForm& form : method.forms)
        headings << QStringLiteral("`%1`").arg(formOf(method, form));
    out += QStringLiteral("### ") + headings.join(QStringLiteral(" / ")) + QStringLiteral("\n\n");
    out += QString::fromUtf8(method.description) + QStringLiteral("\n\n");
    for (const ApiForm& form : method.forms) {
        const QString lead = method.forms.size() > 1
            ? QStringLiteral("`%1`: ").arg(formOf(method, form))
            : QString();
        out += QStringLiteral("- %1arguments: %2; returns %3.\n")
                   .arg(lead, argumentsOf(form), QString::fromUtf8(form.result));
    }
    if (method.catalogue)
        out += QStringLiteral("- catalogue entry: `%1`\n").arg(QString::fromUtf8(method.catalogue));
    out += QLatin1Char('\n');
}

}  // namespace

QString scriptApiReference()
{
    QString out = QString::fromUtf8(kIntroduction) + QLatin1Char('\n');
    for (const ApiObject& object : apiObjects()) {
        const bool global = !*object.name;
        out += global ? QStringLiteral("## Global functions\n\n")
                      : QStringLiteral("## `%1`\n\n").arg(QString::fromUtf8(object.name));
        out += QString::fromUtf8(object.summary) + QStringLiteral("\n\n");
        for (const ApiMethod& method : apiMethods()) {
            if (qstrcmp(method.object, object.name) == 0)
                writeMethod(out, method);
        }
    }

    out += QStringLiteral(
        "## Ready-to-run examples\n\n"
        "The catalogue's first group holds calls with concrete arguments; "
        "entries with the camera symbol take a screenshot in the studio.\n\n");
    for (const char* example : commonExamples())
        out += QStringLiteral("- `%1;`\n").arg(QString::fromUtf8(example));
    return out;
}

}  // namespace vantor
