#pragma once

#include <QString>
#include <memory>

class Connection;

// The control row of the current list: identity mark, format version, and the current
// template, filter and label layout. Creation opens the current list; when that fails the
// program stops with fatal error 2.
class ControlCore {
public:
    ControlCore();
    ~ControlCore();
    ControlCore(const ControlCore&) = delete;
    ControlCore& operator=(const ControlCore&) = delete;

    QString Magic() const;
    qint64 DatabaseVersion() const;
    qint64 CurrentTemplate() const;
    void SetCurrentTemplate(qint64 id);
    qint64 CurrentFilter() const;
    void SetCurrentFilter(qint64 id);
    qint64 CurrentLabel() const;
    void SetCurrentLabel(qint64 id);

private:
    qint64 ReadNumber(const char* column) const;
    void WriteNumber(const char* column, qint64 value);

    std::unique_ptr<Connection> m_connection;
};
