#include "export/Spreadsheet.h"

#include "export/ExportTable.h"
#include "storage/AnsiText.h"

#include <QBuffer>
#include <QSaveFile>

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

QByteArrayView lit(const char *text) { return QByteArrayView(text, qsizetype(std::strlen(text))); }

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
    block.reserve(kBlock + 8192);
    const auto flush = [&](bool always) {
        if (block.size() < kBlock && !always)
            return true;
        const bool ok = out.write(block) == block.size();
        block.clear();
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

    const int cells = rows.columnCount();
    for (qsizetype r = 0; r < rows.rowCount(); ++r) {
        block.append("<tr>");
        for (int c = 0; c < cells; ++c) {
            block.append(lit(kCell));
            appendEscaped(block, rows.cell(r, c));
            block.append(lit(kCellEnd));
        }
        block.append("</tr>");
        if (!flush(false))
            return false;
    }
    block.append(lit(kTail));
    return flush(true);
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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // A failed write leaves the file aside uncommitted: it is removed, the old file stays.
    return write(file, sheetName, columns, rows) && file.commit();
}

} // namespace Spreadsheet
