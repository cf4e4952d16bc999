#pragma once

#include "filters/text_encoding.h"

#include <QFile>
#include <QString>

// Reads a text file line by line without holding it whole, in the encoding its survey
// tells (see SurveyText). Lines end with CR LF and a lone LF inside a line is data, unless
// the file holds no CR at all, when LF ends the lines. The last line needs no line end. A
// byte-order mark is never data.
class TextLineReader {
public:
    explicit TextLineReader(const QString& path);

    bool IsOpen() const { return m_open; }
    const TextSurvey& Survey() const { return m_survey; }
    // The next line without its end; false at the end of the file. badBytes tells whether
    // the line held bytes that are not UTF-8 in a UTF-8 file.
    bool ReadLine(QString& line, bool* badBytes = nullptr);
    qint64 BytesRead() const { return m_consumed; }
    qint64 Size() const { return m_survey.size; }

private:
    bool Fill();

    QFile m_file;
    TextSurvey m_survey;
    bool m_open = false;
    QByteArray m_buffer;
    int m_start = 0;
    bool m_eof = false;
    qint64 m_consumed = 0;
};
