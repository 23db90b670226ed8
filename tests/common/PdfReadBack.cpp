#include "tests/common/PdfReadBack.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>

namespace {
QString Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(10000)) {
        ADD_FAILURE() << program.toStdString() << " did not start (poppler-utils missing?)";
        return QString();
    }
    // No limit of our own: on a loaded machine poppler can take minutes, and
    // ctest's time-out still ends a tool that hangs.
    process.waitForFinished(-1);
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " failed: " << process.readAllStandardError().toStdString();
        return QString();
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString InfoField(const QString& path, const QString& field)
{
    const QString info = Run(QStringLiteral("pdfinfo"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path});
    const QRegularExpression line(QStringLiteral("^%1:\\s*(.*)$").arg(field), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = line.match(info);
    return match.hasMatch() ? match.captured(1).trimmed() : QString();
}
}  // namespace

int PdfPageCount(const QString& path)
{
    return InfoField(path, QStringLiteral("Pages")).toInt();
}

QString PdfTitle(const QString& path)
{
    return InfoField(path, QStringLiteral("Title"));
}

QString PdfText(const QString& path, int page)
{
    QStringList arguments{QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8")};
    if (page > 0)
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
    arguments << path << QStringLiteral("-");
    return Run(QStringLiteral("pdftotext"), arguments);
}

QStringList PdfWords(const QString& path, int page)
{
    return PdfText(path, page).split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

QList<PdfWordBox> PdfWordBoxes(const QString& path, int page, QSizeF* pageSize)
{
    const QString html = Run(QStringLiteral("pdftotext"),
                             {QStringLiteral("-bbox"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), QStringLiteral("-f"),
                              QString::number(page), QStringLiteral("-l"), QString::number(page), path, QStringLiteral("-")});
    static const QRegularExpression pageTag(QStringLiteral("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\""));
    const QRegularExpressionMatch size = pageTag.match(html);
    if (pageSize != nullptr && size.hasMatch())
        *pageSize = QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());
    static const QRegularExpression wordTag(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    QList<PdfWordBox> words;
    for (QRegularExpressionMatchIterator it = wordTag.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        PdfWordBox word;
        word.xMin = match.captured(1).toDouble();
        word.yMin = match.captured(2).toDouble();
        word.xMax = match.captured(3).toDouble();
        word.yMax = match.captured(4).toDouble();
        word.text = match.captured(5).replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        words.append(word);
    }
    return words;
}
