#include "printing/windows/print_label_select.h"

#include "app/messages.h"
#include "app/windows/center_form.h"
#include "app/windows/help_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

PrintLabelSelect::PrintLabelSelect(QWidget* parent)
    : QDialog(parent), m_nextPageButton(new QPushButton("Next Page", this)),
      m_printAllButton(new QPushButton("Print All", this)),
      m_quitButton(new QPushButton("Cancel", this)) {
    AddHelpKey(this, kHelpPrinting);
    setObjectName("PrintLabelSelect");
    setWindowTitle("Continue Printing?");
    m_nextPageButton->setObjectName("NextPageButton");
    m_printAllButton->setObjectName("PrintAllButton");
    m_quitButton->setObjectName("QuitButton");
    m_nextPageButton->setDefault(true);

    auto* text = new QLabel("The sheet has gone to the printer. Put in the next label sheet, "
                            "then go on with the next page or print all the rest.",
                            this);
    text->setWordWrap(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_nextPageButton);
    buttons->addWidget(m_printAllButton);
    buttons->addWidget(m_quitButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(buttons);

    connect(m_nextPageButton, &QPushButton::clicked, this, [this] { Decide(kNextPage); });
    connect(m_printAllButton, &QPushButton::clicked, this, [this] { Decide(kPrintAll); });
    connect(m_quitButton, &QPushButton::clicked, this, [this] { Decide(kCancelPrinting); });
}

ContinueDecision PrintLabelSelect::Ask() {
    m_decision = kCancelPrinting; // closing the window cancels
    CenterForm(this);
    exec();
    return m_decision;
}

void PrintLabelSelect::Decide(ContinueDecision decision) {
    m_decision = decision;
    accept();
}
