#include "app/windows/main_form.h"

#include "app/messages.h"
#include "app/settings.h"
#include "database/connection.h"
#include "database/engine_error.h"
#include "database/open_database.h"
#include "database/windows/new_list.h"

#include <QApplication>
#include <QLabel>
#include <QMenuBar>

MainForm::MainForm(QWidget* parent) : QMainWindow(parent), m_listLabel(new QLabel(this)) {
    setObjectName("MainForm");
    setWindowTitle(ApplicationTitle());
    m_listLabel->setObjectName("ListLabel");
    m_listLabel->setAlignment(Qt::AlignCenter);
    m_listLabel->setMargin(24);
    setCentralWidget(m_listLabel);
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("mnuFile");
    QAction* newList = file->addAction("&New Mailing List...", this, [this] {
        NewList window(this);
        window.exec();
    });
    newList->setObjectName("mnuFileNew");
    file->addSeparator();
    QAction* exit = file->addAction("E&xit", this, &QWidget::close);
    exit->setObjectName("mnuFileExit");
    resize(640, 400);
}

MainForm::~MainForm() = default;

bool MainForm::OpenCurrentList() {
    m_database = OpenCurrentDatabase();
    ShowListInfo();
    return m_database != nullptr;
}

void MainForm::ShowListInfo() {
    if (!m_database) {
        setWindowTitle(ApplicationTitle());
        m_listLabel->setText("No mailing list is open.");
        return;
    }
    const QString path = CurrentListSetting();
    setWindowTitle(ApplicationTitle() + " - " + path);
    qint64 records = 0;
    try {
        records = m_database->QueryNumber("SELECT count(*) FROM List");
    } catch (const EngineError& error) {
        InfoBox(error.Text());
    }
    m_listLabel->setText(QStringLiteral("%1\n%2 records").arg(path).arg(records));
}
