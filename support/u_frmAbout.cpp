#include "support/u_frmAbout.h"

#include "ui_u_frmAbout.h"

#include "support/u_OrvFileLib.h"
#include "support/u_ProductInfo.h"
#include "support/u_StringRoutines.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHeaderView>
#include <QPainter>
#include <QStyle>

namespace {

const QColor kBackground(231, 228, 220);
const QColor kBandFill(219, 224, 232);
const QColor kBandLine(143, 158, 184);
constexpr int kBandWidth = 65;

// The language module beside the executable: its name with the extension
// replaced by code, or with code added when it has none.
QString moduleFileName(const QString& executable, const QString& code) {
    QString dir;
    QString name;
    SplitFilePath(executable, dir, name);
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString base = dot < 0 ? name : name.left(dot);
    return dir + u'/' + base + u'.' + code;
}

QStringList fileRow(const QString& fullName) {
    QString dir;
    QString name;
    SplitFilePath(fullName, dir, name);
    return {name, FileVersionText(fullName), dir};
}

const char* const kTermsOfUse = QT_TRANSLATE_NOOP(
    "TfrmAbout",
    "This program is provided \"as is\", without warranty of any kind, express or implied, "
    "including but not limited to the warranties of merchantability, fitness for a particular "
    "purpose and noninfringement. In no event shall the authors be liable for any claim, damages "
    "or other liability arising from the use of the program or of the data kept with it.\n\n"
    "You may use the program free of charge for personal and business purposes. You may give "
    "it to others unchanged and without charge. Keep backup copies of your databases.");

}  // namespace

QList<QStringList> VersionGridRows(const QString& ExecutablePath) {
    return {
        {QCoreApplication::translate("TfrmAbout", "File"),
         QCoreApplication::translate("TfrmAbout", "Version"),
         QCoreApplication::translate("TfrmAbout", "Path")},
        fileRow(ExecutablePath),
        fileRow(moduleFileName(ExecutablePath, QStringLiteral("ENG"))),
        fileRow(moduleFileName(ExecutablePath, QStringLiteral("CSY"))),
    };
}

TfrmAbout::TfrmAbout(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TfrmAbout>()) {
    ui->setupUi(this);
    connect(ui->cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    QFont title = ui->lblTitle->font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 1.6);
    ui->lblTitle->setFont(title);
    ui->lblTitle->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
    fillTexts();
    fillVersions();
    applyColours();
    setFixedSize(sizeHint().expandedTo(QSize(540, 0)));
}

TfrmAbout::~TfrmAbout() = default;

void TfrmAbout::Execute(QWidget* parent) {
    TfrmAbout box(parent);
    box.exec();
}

void TfrmAbout::fillTexts() {
    const QString executable = QCoreApplication::applicationFilePath();
    ui->lblTitle->setText(product::Name);
    ui->lblProgramVersion->setText(
        ui->lblProgramVersion->text() + FileVersionText(executable) + QStringLiteral(" (") +
        FormatDateTime(QStringLiteral("dd.mm.yyyy hh:nn"), FileLinkTime(executable)) + u')');
    ui->lblCopyright->setText(product::Copyright);
    ui->OrvLinkLabel1->SetCaption(
        QStringLiteral("<url={RedirTo:orvane}>%1</url>").arg(product::WebAddress));
    ui->OrvLinkLabel2->SetCaption(QStringLiteral("<mail>%1</mail>").arg(product::SupportEmail));
    ui->Memo1->setPlainText(tr(kTermsOfUse));
}

void TfrmAbout::fillVersions() {
    QTableWidget* grid = ui->gridVersions;
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The designed widths, each widened to show its longest text whole
    // ("pellum.ENG" does not fit 77 pixels in every font).
    const QList<QStringList> rows = VersionGridRows(QCoreApplication::applicationFilePath());
    int widths[] = {77, 64, 301};
    const int cellPadding = 2 * grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 6;
    for (const QStringList& row : rows) {
        for (int c = 0; c < 3; ++c) {
            widths[c] =
                std::max(widths[c], grid->fontMetrics().horizontalAdvance(row[c]) + cellPadding);
        }
    }
    for (int c = 0; c < 3; ++c) {
        grid->setColumnWidth(c, widths[c]);
    }
    // Rows are 14 pixels where the font allows, never cutting the text.
    const int rowHeight = std::max(14, grid->fontMetrics().height() + 2);
    for (int r = 0; r < rows.size(); ++r) {
        grid->setRowHeight(r, rowHeight);
        for (int c = 0; c < 3; ++c) {
            grid->setItem(r, c, new QTableWidgetItem(rows[r][c]));  // the grid owns its items
        }
    }
    // Room for every row; the last grid line takes a pixel or two of its own.
    const int height = rowHeight * 4 + 2 * grid->frameWidth() + 4;
    grid->setFixedHeight(height);
    grid->setMinimumWidth(widths[0] + widths[1] + widths[2] + 2 * grid->frameWidth());
}

void TfrmAbout::applyColours() {
    QPalette palette = ui->Memo1->palette();
    palette.setColor(QPalette::Base, kBackground);
    ui->Memo1->setPalette(palette);
    ui->gridVersions->setPalette(palette);
}

void TfrmAbout::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.setPen(QPen(kBackground, 1));
    p.fillRect(rect(), kBackground);
    p.setPen(kBandLine);
    p.setBrush(kBandFill);
    p.drawRect(0, 0, kBandWidth, height() - 1);
    QDialog::paintEvent(event);
}
