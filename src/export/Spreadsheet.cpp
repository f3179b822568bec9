#include "export/Spreadsheet.h"

#include "export/ExportTable.h"
#include "storage/AnsiText.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryFile>

#include <cstdio>
#include <cstring>

namespace Spreadsheet {

namespace {

constexpr char kHead[] =
    "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
    "xmlns=\"http://www.w3.org/TR/REC-html40\">"
    "<head>"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
    "<!--[if gte mso 9]><xml>"
    "<x:ExcelWorkbook>"
    "<x:ExcelWorksheets>"
    "<x:ExcelWorksheet>"
    "<x:Name>";
constexpr char kAfterName[] = "</x:Name>"
                              "<x:WorksheetOptions>"
                              "<x:Selected/>"
                              "<x:Panes>"
                              "<x:Pane>"
                              "<x:Number>1</x:Number>"
                              "<x:ActiveRow>3</x:ActiveRow>"
                              "</x:Pane>"
                              "</x:Panes>"
                              "<x:ProtectContents>False</x:ProtectContents>"
                              "<x:ProtectObjects>False</x:ProtectObjects>"
                              "<x:ProtectScenarios>False</x:ProtectScenarios>"
                              "</x:WorksheetOptions>"
                              "</x:ExcelWorksheet>"
                              "</x:ExcelWorksheets>"
                              "</x:ExcelWorkbook>"
                              "</xml><![endif]-->"
                              "</head>"
                              "<body>"
                              "<table x:str>";
constexpr char kTail[] = "</table></body></html>";
constexpr char kHeaderCell[] = "<td style=\"text-align: left; font-weight: bold;\" width=";
// x:str on the table keeps every cell as text in Excel; LibreOffice ignores it and reads
// "0051234" as the number 51234, so each data cell also carries the text format it honours.
constexpr char kCell[] = "<td style=\"text-align: left;\" sdnum=\"1040;0;@\">";
constexpr char kCellEnd[] = "</td>";

constexpr qsizetype kBlock = 1 << 20;

template <size_t N> QByteArrayView lit(const char (&text)[N]) { return QByteArrayView(text, qsizetype(N - 1)); }

} // namespace

void appendEscaped(QByteArray &out, QByteArrayView text)
{
    const char *p = text.data();
    const char *const end = p + text.size();
    while (p < end) {
        // Most cells hold none of the three: copy the stretch up to the next one at once.
        const char *q = p;
        while (q < end && *q != '&' && *q != '<' && *q != '>')
            ++q;
        out.append(p, q - p);
        if (q == end)
            break;
        out.append(*q == '&' ? "&amp;" : *q == '<' ? "&lt;" : "&gt;");
        p = q + 1;
    }
}

bool write(QIODevice &out, const QString &sheetName, const QList<Column> &columns, const ExportTable &rows)
{
    QByteArray block;
    block.reserve(2 * kBlock);
    const auto flush = [&] {
        const bool ok = out.write(block) == block.size();
        block.resize(0); // keeps the buffer: no fresh memory for every block
        return ok;
    };

    block.append(lit(kHead));
    appendEscaped(block, AnsiText::toAnsi(sheetName));
    block.append(lit(kAfterName));
    block.append("<tr>");
    for (const Column &c : columns) {
        block.append(lit(kHeaderCell));
        block.append(QByteArray::number(c.width));
        block.append('>');
        appendEscaped(block, AnsiText::toAnsi(c.title));
        block.append(lit(kCellEnd));
    }
    block.append("</tr>");

    // The rows are most of the file (a hundred thousand cards make tens of megabytes): each is
    // copied straight into room made for it at its longest, every character escaped.
    const auto put = [](char *&p, QByteArrayView text) {
        std::memcpy(p, text.data(), size_t(text.size()));
        p += text.size();
    };
    const int cells = rows.columnCount();
    for (qsizetype r = 0; r < rows.rowCount(); ++r) {
        qsizetype longest = 9;
        for (int c = 0; c < cells; ++c)
            longest += lit(kCell).size() + lit(kCellEnd).size() + 5 * rows.cell(r, c).size();
        if (block.size() + longest > block.capacity()) {
            if (block.size() >= kBlock && !flush())
                return false;
            block.reserve(block.size() + longest + kBlock);
        }
        const qsizetype at = block.size();
        block.resize(at + longest);
        char *const start = block.data();
        char *p = start + at;
        put(p, "<tr>");
        for (int c = 0; c < cells; ++c) {
            put(p, lit(kCell));
            const QByteArrayView text = rows.cell(r, c);
            for (const char ch : text) {
                switch (ch) {
                case '&':
                    put(p, "&amp;");
                    break;
                case '<':
                    put(p, "&lt;");
                    break;
                case '>':
                    put(p, "&gt;");
                    break;
                default:
                    *p++ = ch;
                }
            }
            put(p, lit(kCellEnd));
        }
        put(p, "</tr>");
        block.resize(p - start);
        if (block.size() >= kBlock && !flush())
            return false;
    }
    block.append(lit(kTail));
    return flush();
}

QByteArray document(const QString &sheetName, const QList<Column> &columns, const ExportTable &rows)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    write(buffer, sheetName, columns, rows);
    return buffer.data();
}

bool writeFile(const QString &path, const QString &sheetName, const QList<Column> &columns, const ExportTable &rows)
{
    // Written under a temporary name in the same folder (removed unless it takes the place of
    // the old file) and renamed over the old file once complete. Not forced to the disk: the
    // export is made again at will, while a forced write of tens of megabytes takes seconds.
    QTemporaryFile file(path + QStringLiteral(".XXXXXX"));
    if (!file.open() || !write(file, sheetName, columns, rows) || !file.flush())
        return false;
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                        | QFileDevice::ReadOther);
    file.close();
    if (std::rename(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(path).constData()) != 0)
        return false;
    file.setAutoRemove(false);
    return true;
}

} // namespace Spreadsheet
