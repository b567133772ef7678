#include "app/u_frmSplash.h"

#include "ui_u_frmSplash.h"

#include "support/u_ProductInfo.h"
#include "support/u_StringRoutines.h"

#include <QCoreApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

TfrmSplash::TfrmSplash(const QString& programVersion, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      ui(std::make_unique<Ui::TfrmSplash>()),
      programVersion_(programVersion) {
    ui->setupUi(this);
    // Long lines (the Czech "For more information..." line) wrap instead of
    // being cut at the window's edges.
    for (QLabel* label : {ui->lblRights, ui->lblCopyright, ui->lblMoreInfo})
        label->setWordWrap(true);
    fillTexts();
    fitTexts();
}

void TfrmSplash::fitTexts() {
    // The designed size, taller where larger fonts need it.
    const int width = 290;
    layout()->activate();
    const int height = std::max(445, layout()->totalHeightForWidth(width));
    setFixedSize(width, height);
}

TfrmSplash::~TfrmSplash() = default;

void TfrmSplash::fillTexts() {
    ui->lblVersion->setText(tr("Version ") + programVersion_);
    ui->lblLinkTime->setText(
        u'(' + FormatDateTime(QStringLiteral("dd.mm.yyyy hh:nn"), RunningLinkTime()) + u')');
    ui->lblCopyright->setText(product::Copyright);
    ui->lblWWW->SetCaption(
        QStringLiteral("<url={RedirTo:orvane}>%1</url>").arg(product::WebAddress));
    ui->lblEmail->SetCaption(QStringLiteral("<mail>%1</mail>").arg(product::SupportEmail));
}

void TfrmSplash::ShowAndPaint() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    show();
    repaint();
    QCoreApplication::processEvents();
}

void TfrmSplash::paintEvent(QPaintEvent* event) {
    // The picture: a pale card with a band at the top that carries the title.
    QPainter p(this);
    QLinearGradient band(0, 0, 0, 140);
    band.setColorAt(0, QColor(70, 90, 140));
    band.setColorAt(1, QColor(150, 170, 210));
    p.fillRect(rect(), QColor(246, 244, 238));
    p.fillRect(QRect(0, 0, width(), 140), band);
    p.setPen(QColor(120, 120, 120));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setPen(Qt::white);
    QFont big = font();
    big.setPointSize(40);
    big.setBold(true);
    p.setFont(big);
    p.drawText(QRect(0, 0, width(), 140), Qt::AlignCenter, QStringLiteral("@"));
    QWidget::paintEvent(event);
}

void TfrmSplash::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        fillTexts();
        fitTexts();
    }
    QWidget::changeEvent(event);
}
