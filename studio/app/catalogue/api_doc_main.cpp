// vantor-api-doc: writes the script API reference to the file named on the
// command line, or to standard output.
#include <QCoreApplication>
#include <QSaveFile>
#include <QTextStream>
#include <cstdio>

#include "script_api_doc.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QByteArray text = vantor::scriptApiReference().toUtf8();
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2) {
        fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stdout);
        return 0;
    }
    QSaveFile file(args.at(1));
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        fprintf(stderr, "vantor-api-doc: cannot write %s\n", qPrintable(args.at(1)));
        return 1;
    }
    return 0;
}
