#include "app/u_frmHelp.h"

#include "ui_u_frmHelp.h"

#include "app/u_HelpRouter.h"

TfrmHelp::TfrmHelp(QWidget* parent)
    : QWidget(parent, Qt::Window), ui(std::make_unique<Ui::TfrmHelp>()) {
    ui->setupUi(this);
    ui->txtHelp->setSearchPaths({QStringLiteral(":/help")});
    connect(ui->cmdContents, &QPushButton::clicked, this,
            [this] { ShowPage(THelpRouter::UrlOfPage(THelpRouter::LocalPage("index.html"))); });
    connect(ui->cmdBack, &QPushButton::clicked, ui->txtHelp, &QTextBrowser::backward);
    connect(ui->cmdForward, &QPushButton::clicked, ui->txtHelp, &QTextBrowser::forward);
    connect(ui->cmdClose, &QPushButton::clicked, this, &QWidget::close);
    connect(ui->txtHelp, &QTextBrowser::backwardAvailable, ui->cmdBack, &QWidget::setEnabled);
    connect(ui->txtHelp, &QTextBrowser::forwardAvailable, ui->cmdForward, &QWidget::setEnabled);
    ui->cmdBack->setEnabled(false);
    ui->cmdForward->setEnabled(false);
}

TfrmHelp::~TfrmHelp() = default;

void TfrmHelp::ShowPage(const QUrl& url) {
    ui->txtHelp->setSource(url);
    show();
    raise();
    activateWindow();
}

void TfrmHelp::FindText(const QString& text) {
    ui->txtHelp->find(text);
}

QUrl TfrmHelp::CurrentPage() const {
    return ui->txtHelp->source();
}

void TfrmHelp::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
    }
    QWidget::changeEvent(event);
}
