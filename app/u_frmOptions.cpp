#include "app/u_frmOptions.h"

#include "ui_u_frmOptions.h"

#include "support/u_FileChooser.h"
#include "support/u_MessageBox.h"
#include "support/u_ResourceStrings.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QShowEvent>

#include <exception>

namespace {

// A group whose ids are the stored values; exactly one button is checked.
std::unique_ptr<QButtonGroup> makeGroup(QAbstractButton* first, QAbstractButton* second) {
    auto group = std::make_unique<QButtonGroup>();
    group->setExclusive(true);
    group->addButton(first, 0);
    group->addButton(second, 1);
    return group;
}

// Checks the button of value, or the one of fallback for a value no button has.
void check(QButtonGroup& group, int value, int fallback) {
    QAbstractButton* button = group.button(value);
    (button != nullptr ? button : group.button(fallback))->setChecked(true);
}

QString chooseTemplateFile(QWidget* parent, const QString& title, const QString& current) {
    TFileChoice choice;
    choice.mode = TFileChoice::Mode::Open;
    choice.objectName = QStringLiteral("dlgTemplateOpen");
    choice.title = title;
    choice.nameFilters = {QCoreApplication::translate("TfrmOptions", "Template (*.txt)")};
    choice.defaultSuffix = QStringLiteral("txt");
    choice.preset = current;
    return ChooseFile(choice, parent);
}

}  // namespace

TfrmOptions::TfrmOptions(std::function<void()> applySettings, QWidget* parent)
    : QDialog(parent),
      ChooseTemplate([this](const QString& title, const QString& current) {
          return chooseTemplateFile(this, title, current);
      }),
      ui(std::make_unique<Ui::TfrmOptions>()),
      applySettings_(std::move(applySettings)) {
    ui->setupUi(this);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    grpActiveTab_ = makeGroup(ui->rbGeneralActiveTabHome, ui->rbGeneralActiveTabWork);
    grpMenuStyle_ = makeGroup(ui->rbGeneralMenuStyleNew, ui->rbGeneralMenuStyleClassic);
    grpPrintStyle_ = makeGroup(ui->rbPrintDefaultPrintStyleBasic, ui->rbPrintDefaultPrintStyleUser);
    connect(ui->cmdOK, &QPushButton::clicked, this, &TfrmOptions::cmdOKClick);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &TfrmOptions::cmdCancelClick);
    connect(ui->cmdApply, &QPushButton::clicked, this, &TfrmOptions::cmdApplyClick);
    connect(ui->cmdGeneralStartupDatabaseBrowse, &QPushButton::clicked, this,
            &TfrmOptions::cmdGeneralStartupDatabaseBrowseClick);
    connect(ui->cmdPrintDefaultUserTemplateBrowse, &QPushButton::clicked, this,
            &TfrmOptions::cmdPrintDefaultUserTemplateBrowseClick);
}

TfrmOptions::~TfrmOptions() = default;

void TfrmOptions::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        FormShow();
    }
    QDialog::showEvent(event);
}

void TfrmOptions::FormShow() {
    ShowValues(TOptionsValues::Read());
    ui->tabOptions->setCurrentWidget(ui->tsGeneral);
}

void TfrmOptions::ShowValues(const TOptionsValues& values) {
    const TOptionsValues defaults;
    ui->txtGeneralStartupDatabase->setText(values.StartUpDatabase);
    check(*grpActiveTab_, values.ActiveTab, defaults.ActiveTab);
    check(*grpMenuStyle_, values.MenuStyle, defaults.MenuStyle);
    ui->txtPrintDefaultUserTemplate->setText(values.DefaultUserTemplate);
    check(*grpPrintStyle_, values.DefaultPrintStyle, defaults.DefaultPrintStyle);
}

TOptionsValues TfrmOptions::Values() const {
    TOptionsValues values;
    values.StartUpDatabase = ui->txtGeneralStartupDatabase->text();
    values.ActiveTab = grpActiveTab_->checkedId();
    values.MenuStyle = grpMenuStyle_->checkedId();
    values.DefaultUserTemplate = ui->txtPrintDefaultUserTemplate->text();
    values.DefaultPrintStyle = grpPrintStyle_->checkedId();
    return values;
}

bool TfrmOptions::cmdApplyClick() {
    try {
        Values().Write();
    } catch (const std::exception& e) {
        ShowMessage(MsgType::Error, QString::fromUtf8(e.what()), MsgButtons::Ok, this);
        return false;
    }
    if (applySettings_) {
        applySettings_();
    }
    return true;
}

void TfrmOptions::cmdOKClick() {
    if (cmdApplyClick()) {
        accept();
    }
}

void TfrmOptions::cmdCancelClick() {
    reject();
}

void TfrmOptions::cmdGeneralStartupDatabaseBrowseClick() {
    if (!ChooseStartUpDatabase) {
        return;
    }
    const QString chosen = ChooseStartUpDatabase(LoadResString(res::SelectStartUpDatabase),
                                                 ui->txtGeneralStartupDatabase->text());
    if (!chosen.isEmpty()) {
        ui->txtGeneralStartupDatabase->setText(chosen);
    }
}

void TfrmOptions::cmdPrintDefaultUserTemplateBrowseClick() {
    const QString chosen = ChooseTemplate(LoadResString(res::SelectDefaultUserTemplate),
                                          ui->txtPrintDefaultUserTemplate->text());
    if (!chosen.isEmpty()) {
        ui->txtPrintDefaultUserTemplate->setText(chosen);
    }
}

int TfrmOptions::helpContextOfFocus() const {
    for (const QWidget* w = focusWidget(); w != nullptr; w = w->parentWidget()) {
        const QVariant context = w->property("helpContext");
        if (context.isValid()) {
            return context.toInt();
        }
        if (w == this) {
            break;
        }
    }
    return property("helpContext").toInt();
}

void TfrmOptions::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && ShowHelp) {
        ShowHelp(helpContextOfFocus());
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfrmOptions::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
    }
    QDialog::changeEvent(event);
}
