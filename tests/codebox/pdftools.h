#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <string>

namespace quorbel::testing {

// The output of one of the PDF tools (pdfinfo, pdftotext, pdftoppm) on a
// printed file, or a note that it failed.
inline std::string pdfTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return "<" + program.toStdString() + " failed>";
    return process.readAllStandardOutput().toStdString();
}

// The number of pages of a PDF file (-1 when it cannot be read).
inline int pdfPageCount(const std::filesystem::path &pdf)
{
    const std::string info = pdfTool(QStringLiteral("pdfinfo"), {QString::fromStdString(pdf.string())});
    const auto at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
}

// The text of a PDF file's pages from..to (1-based; 0: from the first or to
// the last), as pdftotext sets it out, a form feed after every page.
inline std::string pdfText(const std::filesystem::path &pdf, int from = 0, int to = 0)
{
    QStringList arguments;
    if (from > 0)
        arguments << QStringLiteral("-f") << QString::number(from);
    if (to > 0)
        arguments << QStringLiteral("-l") << QString::number(to);
    arguments << QString::fromStdString(pdf.string()) << QStringLiteral("-");
    return pdfTool(QStringLiteral("pdftotext"), arguments);
}

} // namespace quorbel::testing
