#include "trace_output.h"

#include <QByteArray>
#include <cstdio>

namespace vantor::trace {

namespace {

void writeLine(std::FILE* stream, const QString& line)
{
    QByteArray bytes = line.toLocal8Bit();
    bytes.append('\n');
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}

}  // namespace

void output(const QString& line)
{
    writeLine(stdout, line);
}

void errorOutput(const QString& line)
{
    writeLine(stderr, line);
}

void errorOutput(const char* line)
{
    std::fprintf(stderr, "%s\n", line);
    std::fflush(stderr);
}

void errorOutput(const char* text, int number)
{
    std::fprintf(stderr, "%s %d\n", text, number);
    std::fflush(stderr);
}

}  // namespace vantor::trace
