#pragma once

#include <QMainWindow>
#include <memory>

class Connection;
class QLabel;

// The program's main window. It opens the current list at start-up and shows which list
// is open and how many records it holds.
class MainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit MainForm(QWidget* parent = nullptr);
    ~MainForm() override;

    // Opens the current list through OpenCurrentDatabase; false when none could be opened.
    bool OpenCurrentList();

private:
    void ShowListInfo();

    std::unique_ptr<Connection> m_database;
    QLabel* m_listLabel;
};
