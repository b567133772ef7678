#include "views/u_frameMainIDE.h"

#include "session/u_ContactSchema.h"
#include "support/u_MessageBox.h"
#include "ui_u_frameMainIDE.h"
#include "views/u_CardLinks.h"
#include "views/u_CardMemo.h"
#include "views/u_RecordKeys.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

static_assert(TframeMainIDE::FieldCount == ContactSchema::ColumnCount);

namespace {

// Room for the whole of an ordinary country name; the ZipCode field above it
// takes the same width, so the two line up beside the address.
constexpr const char* CountrySamples[] = {"Česká republika", "United Kingdom"};
// The narrowest a single-line field gets before the card scrolls instead.
constexpr const char* NarrowFieldSample = "000000";

// The labels of a grid's column.
QList<QLabel*> LabelsInColumn(const QGridLayout& grid, int column) {
    QList<QLabel*> labels;
    for (int i = 0; i < grid.count(); ++i) {
        int row = 0, col = 0, rowSpan = 0, colSpan = 0;
        grid.getItemPosition(i, &row, &col, &rowSpan, &colSpan);
        if (col == column) {
            if (auto* label = qobject_cast<QLabel*>(grid.itemAt(i)->widget()))
                labels << label;
        }
    }
    return labels;
}

int WidestLabel(const QList<QLabel*>& labels) {
    int width = 0;
    for (const QLabel* label : labels)
        width = std::max(width, label->sizeHint().width());
    return width;
}

// A caption broken at blanks into lines no wider than width (a single word
// stays whole).
QString BrokenCaption(const QString& caption, const QFontMetrics& metrics, int width) {
    const QStringList words = caption.split(u' ', Qt::SkipEmptyParts);
    QString out;
    QString line;
    for (const QString& word : words) {
        const QString wider = line.isEmpty() ? word : line + u' ' + word;
        if (!line.isEmpty() && metrics.horizontalAdvance(wider) > width) {
            out += line + u'\n';
            line = word;
        } else {
            line = wider;
        }
    }
    return out + line;
}

}  // namespace

TframeMainIDE::TframeMainIDE(QWidget* parent)
    : QFrame(parent), ui(std::make_unique<Ui::TframeMainIDE>()) {
    ui->setupUi(this);

    collectFields();
    // Coming back to the card puts the keyboard on its first field.
    setFocusProxy(ui->txtFields_SurName);
    connectFields();
    applyTitles();
    adjustFixedWidths();
}

TframeMainIDE::~TframeMainIDE() = default;

void TframeMainIDE::collectFields() {
    fieldEdits_ = {
        ui->txtFields_SurName,          ui->txtFields_FirstName,
        ui->txtFields_Home_Nick,        ui->txtFields_Home_Address,
        ui->txtFields_Home_Town,        ui->txtFields_Home_City,
        ui->txtFields_Home_PSC,         ui->txtFields_Home_Country,
        ui->txtFields_Home_Phone,       ui->txtFields_Home_Fax,
        ui->txtFields_Home_WWW,         ui->txtFields_Home_Email,
        ui->txtFields_Home_ICQ,         ui->txtFields_Home_Hobby,
        ui->txtFields_Home_Misc,        ui->txtFields_Work_Company,
        ui->txtFields_Work_CompanyDesc, ui->txtFields_Work_Position,
        ui->txtFields_Work_Address,     ui->txtFields_Work_Town,
        ui->txtFields_Work_City,        ui->txtFields_Work_PSC,
        ui->txtFields_Work_Country,     ui->txtFields_Work_ICO,
        ui->txtFields_Work_DIC,         ui->txtFields_Work_Phone,
        ui->txtFields_Work_Fax,         ui->txtFields_Work_WWW,
        ui->txtFields_Work_Email,       ui->txtFields_Work_ICQ,
        ui->txtFields_Work_Misc,        ui->txtFields_Notes,
    };
    fieldLabels_ = {
        ui->lblFields_SurName,          ui->lblFields_FirstName,
        ui->lblFields_Home_Nick,        ui->lblFields_Home_Address,
        ui->lblFields_Home_Town,        ui->lblFields_Home_City,
        ui->lblFields_Home_PSC,         ui->lblFields_Home_Country,
        ui->lblFields_Home_Phone,       ui->lblFields_Home_Fax,
        ui->lblFields_Home_WWW,         ui->lblFields_Home_Email,
        ui->lblFields_Home_ICQ,         ui->lblFields_Home_Hobby,
        ui->lblFields_Home_Misc,        ui->lblFields_Work_Company,
        ui->lblFields_Work_CompanyDesc, ui->lblFields_Work_Position,
        ui->lblFields_Work_Address,     ui->lblFields_Work_Town,
        ui->lblFields_Work_City,        ui->lblFields_Work_PSC,
        ui->lblFields_Work_Country,     ui->lblFields_Work_ICO,
        ui->lblFields_Work_DIC,         ui->lblFields_Work_Phone,
        ui->lblFields_Work_Fax,         ui->lblFields_Work_WWW,
        ui->lblFields_Work_Email,       ui->lblFields_Work_ICQ,
        ui->lblFields_Work_Misc,        ui->lblFields_Notes,
    };
    goButtons_ = {ui->cmdFields_Home_WWW, ui->cmdFields_Home_Email, ui->cmdFields_Work_WWW,
                  ui->cmdFields_Work_Email};
    for (int i = 0; i < FieldCount; ++i) {
        fieldLabels_[i]->setBuddy(fieldEdits_[i]);
        if (auto* line = qobject_cast<QLineEdit*>(fieldEdits_[i]))
            designMaxLength_[i] = line->maxLength();
    }
}

void TframeMainIDE::connectFields() {
    for (int i = 0; i < FieldCount; ++i) {
        if (auto* line = qobject_cast<QLineEdit*>(fieldEdits_[i])) {
            line->installEventFilter(this);
            connect(line, &QLineEdit::textChanged, this, &TframeMainIDE::fieldTextChanged);
            connect(line, &QLineEdit::textEdited, this,
                    [this, i, line] { lineTextEdited(i, line); });
        } else if (auto* memo = qobject_cast<QPlainTextEdit*>(fieldEdits_[i])) {
            connect(memo, &QPlainTextEdit::textChanged, this, &TframeMainIDE::fieldTextChanged);
        }
    }
    connect(ui->cmdFields_Home_WWW, &QPushButton::clicked, this,
            &TframeMainIDE::cmdFields_Home_WWWClick);
    connect(ui->cmdFields_Home_Email, &QPushButton::clicked, this,
            &TframeMainIDE::cmdFields_Home_EmailClick);
    connect(ui->cmdFields_Work_WWW, &QPushButton::clicked, this,
            &TframeMainIDE::cmdFields_Work_WWWClick);
    connect(ui->cmdFields_Work_Email, &QPushButton::clicked, this,
            &TframeMainIDE::cmdFields_Work_EmailClick);
}

// Titles follow the language; the labels show the short titles.
void TframeMainIDE::applyTitles() {
    const QStringList titles = ContactSchema::ColumnTitles();
    for (int i = 0; i < FieldCount; ++i)
        fieldLabels_[i]->setText(titles.at(i) + QLatin1Char(':'));
    alignLabelColumns();
}

// A label of several words wider than the widest one-word label takes two
// lines (Czech "Městská část:"), so one long title does not narrow every field.
void TframeMainIDE::breakLongLabels() {
    int wordWidth = 0;
    for (const QLabel* label : fieldLabels_) {
        if (!label->text().contains(u' ') && !label->text().contains(u'\n'))
            wordWidth = std::max(wordWidth, label->fontMetrics().horizontalAdvance(label->text()));
    }
    for (QLabel* label : fieldLabels_) {
        const QString caption = QString(label->text()).replace(u'\n', u' ');
        if (caption.contains(u' '))
            label->setText(BrokenCaption(caption, label->fontMetrics(), wordWidth));
    }
}

// The left label columns of the name strip, the pages and the notes share the
// width of their widest label, so the fields line up down the card; the right
// columns of the two pages share theirs (the Work page keeps the Home page's
// positions). The name strip's right label is sized by itself: a long
// "Firstname:" does not narrow the pages' fields.
void TframeMainIDE::alignLabelColumns() {
    breakLongLabels();
    QList<QLabel*> left{ui->lblFields_Notes};
    QList<QLabel*> rightOfPages;
    for (QGridLayout* grid : {ui->layNameStrip, ui->layHome, ui->layWork})
        left << LabelsInColumn(*grid, 0);
    for (QGridLayout* grid : {ui->layHome, ui->layWork})
        rightOfPages << LabelsInColumn(*grid, 3);
    const int leftWidth = WidestLabel(left);
    for (QGridLayout* grid : {ui->layNameStrip, ui->layHome, ui->layWork})
        grid->setColumnMinimumWidth(0, leftWidth);
    ui->layNotes->setColumnMinimumWidth(0, leftWidth);
    ui->layNameStrip->setColumnMinimumWidth(3, WidestLabel(LabelsInColumn(*ui->layNameStrip, 3)));
    const int rightWidth = WidestLabel(rightOfPages);
    for (QGridLayout* grid : {ui->layHome, ui->layWork})
        grid->setColumnMinimumWidth(3, rightWidth);
}

void TframeMainIDE::adjustFixedWidths() {
    const QFontMetrics metrics = fontMetrics();
    int countryWidth = 0;
    for (const char* sample : CountrySamples)
        countryWidth = std::max(countryWidth, metrics.horizontalAdvance(QString::fromUtf8(sample)));
    countryWidth += LineEditChrome();
    for (QLineEdit* edit : {ui->txtFields_Home_PSC, ui->txtFields_Home_Country,
                            ui->txtFields_Work_PSC, ui->txtFields_Work_Country})
        edit->setFixedWidth(countryWidth);
    const int narrow =
        metrics.horizontalAdvance(QLatin1String(NarrowFieldSample)) + LineEditChrome();
    for (QWidget* edit : fieldEdits_) {
        if (auto* line = qobject_cast<QLineEdit*>(edit);
            line != nullptr && line->maximumWidth() > narrow)
            line->setMinimumWidth(narrow);
    }
    for (QPushButton* button : goButtons_) {
        const int textWidth = button->fontMetrics().horizontalAdvance(button->text());
        button->setFixedWidth(std::max(textWidth + 24, button->minimumSizeHint().height()));
    }
}

int TframeMainIDE::LineEditChrome() const {
    // What a line edit adds around its text: its frame, the text margins of
    // the style and the cursor.
    QLineEdit probe;
    probe.setFont(font());
    QStyleOptionFrame option;
    option.initFrom(&probe);
    option.lineWidth = probe.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &probe);
    const QMargins text = probe.textMargins();
    return 2 * std::max(option.lineWidth, 2) + 2 * 2 + text.left() + text.right() + 4;
}

QWidget* TframeMainIDE::fieldEdit(int i) const {
    if (i < 0 || i >= FieldCount)
        return nullptr;
    return fieldEdits_[i];
}

QLabel* TframeMainIDE::fieldLabel(int i) const {
    if (i < 0 || i >= FieldCount)
        return nullptr;
    return fieldLabels_[i];
}

QString TframeMainIDE::fieldText(int i) const {
    QWidget* edit = fieldEdit(i);
    if (auto* line = qobject_cast<QLineEdit*>(edit))
        return line->text();
    if (auto* memo = qobject_cast<QPlainTextEdit*>(edit)) {
        QString text = memo->toPlainText();
        if (crlfBreaks_[i])
            text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
        return text;
    }
    return {};
}

void TframeMainIDE::setFieldText(int i, const QString& text) {
    QWidget* edit = fieldEdit(i);
    if (auto* line = qobject_cast<QLineEdit*>(edit))
        setLineText(i, line, text);
    else if (auto* memo = qobject_cast<QPlainTextEdit*>(edit)) {
        crlfBreaks_[i] = text.contains(QLatin1String("\r\n"));
        memo->setPlainText(text);
    }
}

// A length limit guards typing only: a longer stored value is shown whole
// (a plain setText would cut it, and saving the record would lose the rest).
void TframeMainIDE::setLineText(int i, QLineEdit* edit, const QString& text) {
    const int limit = std::max(designMaxLength_[i], static_cast<int>(text.size()));
    if (edit->maxLength() != limit) {
        edit->clear();
        edit->setMaxLength(limit);
    }
    edit->setText(text);
    // The start of a value shows, not its end.
    edit->setCursorPosition(0);
    cursorFromFill_[i] = true;
}

// The first character typed into a freshly filled field goes after its value;
// a click or a cursor key first leaves the cursor where the user puts it.
bool TframeMainIDE::eventFilter(QObject* watched, QEvent* event) {
    const int i = fieldIndexOf(qobject_cast<QWidget*>(watched));
    if (i < 0 || !cursorFromFill_[i])
        return QFrame::eventFilter(watched, event);
    auto* line = qobject_cast<QLineEdit*>(fieldEdits_[i]);
    if (event->type() == QEvent::MouseButtonPress) {
        cursorFromFill_[i] = false;
    } else if (event->type() == QEvent::KeyPress) {
        cursorFromFill_[i] = false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool typed = !key->text().isEmpty() && key->text().at(0).isPrint() &&
                           (key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == 0;
        if (typed && line != nullptr && !line->hasSelectedText() && line->cursorPosition() == 0)
            line->end(false);
    }
    return QFrame::eventFilter(watched, event);
}

// The text fields show their own edit menus; every other part of the card
// leaves the event to the card.
void TframeMainIDE::contextMenuEvent(QContextMenuEvent* event) {
    if (contextMenu_ == nullptr || event->reason() == QContextMenuEvent::Keyboard) {
        // From the keyboard the card opens its menu on the key itself.
        QFrame::contextMenuEvent(event);
        return;
    }
    contextMenu_->popup(event->globalPos());
    event->accept();
}

// Keys no part of the card took arrive here: the menu keys open the card's
// menu unless a text field has the focus (its own menu is opened there).
void TframeMainIDE::keyPressEvent(QKeyEvent* event) {
    QWidget* focus = QApplication::focusWidget();
    if (contextMenu_ == nullptr || !IsContextMenuKey(*event) || fieldIndexOf(focus) >= 0) {
        QFrame::keyPressEvent(event);
        return;
    }
    const QWidget* at = focus != nullptr && isAncestorOf(focus) ? focus : this;
    contextMenu_->popup(at->mapToGlobal(at->rect().center()));
    event->accept();
}

// Once the user shortens an over-long value, the designed limit returns.
void TframeMainIDE::lineTextEdited(int i, QLineEdit* edit) {
    if (edit->maxLength() <= designMaxLength_[i])
        return;
    edit->setMaxLength(std::max(designMaxLength_[i], static_cast<int>(edit->text().size())));
}

int TframeMainIDE::fieldIndexOf(const QWidget* w) const {
    if (w == nullptr)
        return -1;
    const auto found = std::find(fieldEdits_.begin(), fieldEdits_.end(), w);
    return found == fieldEdits_.end() ? -1 : static_cast<int>(found - fieldEdits_.begin());
}

void TframeMainIDE::ShowField(int i) {
    QWidget* edit = fieldEdit(i);
    if (edit == nullptr)
        return;
    for (int page = 0; page < ui->tabMain->count(); ++page) {
        if (ui->tabMain->widget(page)->isAncestorOf(edit))
            ui->tabMain->setCurrentIndex(page);
    }
    if (edit->isEnabled() && edit->focusPolicy() != Qt::NoFocus)
        edit->setFocus(Qt::OtherFocusReason);
    ui->scrCard->ensureWidgetVisible(edit);
}

void TframeMainIDE::ApplyCardSettings(TSettingsOccasion occasion, int activeTab) {
    if (occasion != TSettingsOccasion::StartUp)
        return;
    // A stored page number out of range falls back to the Home page.
    const bool valid = activeTab >= 0 && activeTab < ui->tabMain->count();
    ui->tabMain->setCurrentIndex(valid ? activeTab : 0);
}

void TframeMainIDE::setFieldsEnabled(bool enabled) {
    for (QWidget* edit : fieldEdits_)
        edit->setEnabled(enabled);
    for (QPushButton* button : goButtons_)
        button->setEnabled(enabled);
}

void TframeMainIDE::clearFields() {
    for (int i = 0; i < FieldCount; ++i)
        setFieldText(i, QString());
}

int TframeMainIDE::currentPage() const {
    return ui->tabMain->currentIndex();
}

// A refused address is told, never opened: a field imported from someone's
// vCard must not open a file or run a program through the desktop.
void TframeMainIDE::openLink(const TCardLink& link) {
    if (!link.refusal.isEmpty())
        ShowMessage(MsgType::Warning, link.refusal, MsgButtons::Ok, this);
    else if (link.url.isValid())
        QDesktopServices::openUrl(link.url);
}

void TframeMainIDE::openWebAddress(const QWidget* field) {
    openLink(WebLinkFor(fieldText(fieldIndexOf(field))));
}

void TframeMainIDE::openMailAddress(const QWidget* field) {
    openLink(MailLinkFor(fieldText(fieldIndexOf(field))));
}

void TframeMainIDE::cmdFields_Home_WWWClick() {
    openWebAddress(ui->txtFields_Home_WWW);
}

void TframeMainIDE::cmdFields_Home_EmailClick() {
    openMailAddress(ui->txtFields_Home_Email);
}

void TframeMainIDE::cmdFields_Work_WWWClick() {
    openWebAddress(ui->txtFields_Work_WWW);
}

void TframeMainIDE::cmdFields_Work_EmailClick() {
    openMailAddress(ui->txtFields_Work_Email);
}

// The name strip and the notes line up with the fields on the pages, whose
// inset depends on the page control's frame in the current style.
void TframeMainIDE::alignStripsWithPages() {
    layout()->activate();
    const int frameInset = ui->tsHome->mapTo(ui->tabMain, QPoint(0, 0)).x();
    const QMargins page = ui->layHome->contentsMargins();
    const QMargins strip(frameInset + page.left(), 0, frameInset + page.right(), 0);
    if (ui->layNameStrip->contentsMargins() == strip)
        return;
    ui->layNameStrip->setContentsMargins(strip);
    ui->layNotes->setContentsMargins(strip);
}

void TframeMainIDE::showEvent(QShowEvent* event) {
    QFrame::showEvent(event);
    alignStripsWithPages();
}

void TframeMainIDE::changeEvent(QEvent* event) {
    QFrame::changeEvent(event);
    switch (event->type()) {
        case QEvent::LanguageChange:
            ui->retranslateUi(this);
            applyTitles();
            adjustFixedWidths();
            break;
        case QEvent::FontChange:
        case QEvent::StyleChange:
            alignLabelColumns();
            adjustFixedWidths();
            if (isVisible())
                alignStripsWithPages();
            break;
        default:
            break;
    }
}
