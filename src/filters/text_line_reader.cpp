#include "filters/text_line_reader.h"

namespace {

constexpr qint64 kChunk = 1 << 16;

} // namespace

TextLineReader::TextLineReader(const QString& path) : m_file(path) {
    if (!m_file.open(QIODevice::ReadOnly))
        return;
    m_survey = SurveyText(m_file);
    m_file.seek(0);
    m_open = true;
    Fill();
    if (m_survey.bom) {
        m_start = 3;
        m_consumed = 3;
    }
}

bool TextLineReader::Fill() {
    if (m_eof)
        return false;
    const QByteArray chunk = m_file.read(kChunk);
    if (chunk.isEmpty()) {
        m_eof = true;
        return false;
    }
    m_buffer = m_buffer.mid(m_start) + chunk;
    m_start = 0;
    return true;
}

bool TextLineReader::ReadLine(QString& line, bool* badBytes) {
    if (!m_open)
        return false;
    // CR LF when the file holds both; else whichever of the two it holds (a file from an
    // old Macintosh ends its lines with CR alone).
    const QByteArrayView end = !m_survey.sawCr  ? QByteArrayView("\n")
                               : m_survey.sawLf ? QByteArrayView("\r\n")
                                                : QByteArrayView("\r");
    qsizetype found = m_buffer.indexOf(end, m_start);
    while (found < 0 && Fill())
        found = m_buffer.indexOf(end, m_start);
    QByteArrayView bytes;
    if (found >= 0) {
        bytes = QByteArrayView(m_buffer).sliced(m_start, found - m_start);
        m_consumed += found + end.size() - m_start;
        m_start = int(found + end.size());
    } else {
        if (m_start >= m_buffer.size())
            return false; // the end of the file, after a last line end
        bytes = QByteArrayView(m_buffer).sliced(m_start);
        m_consumed += bytes.size();
        m_start = int(m_buffer.size());
    }
    if (badBytes)
        *badBytes = false;
    line = DecodeText(m_survey, bytes, badBytes);
    return true;
}
