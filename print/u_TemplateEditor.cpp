#include "print/u_TemplateEditor.h"

#include "print/u_NumberedTags.h"
#include "print/u_TemplateEditing.h"
#include "print/u_TemplateFile.h"
#include "print/u_dlgTemplateFind.h"
#include "support/u_CommandBoundary.h"
#include "support/u_FileChooser.h"
#include "support/u_MessageBox.h"
#include "support/u_ResourceStrings.h"
#include "support/u_ToolBarRow.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QScrollBar>
#include <QSplitter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QString FullName(const QString& fileName) {
    return QFileInfo(fileName).absoluteFilePath();
}

// The keys that open a context menu: the Menu key and Shift+F10.
bool IsContextMenuKey(const QKeyEvent& key) {
    const Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
    return (key.key() == Qt::Key_Menu && mods == Qt::NoModifier) ||
           (key.key() == Qt::Key_F10 && mods == Qt::ShiftModifier);
}

}  // namespace

TTemplateEditor::TTemplateEditor(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TemplateEditor"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // The file, editing and format commands on tool bars of their own, which
    // wrap onto further lines where one line cannot show them all.
    auto* bars = new TToolBarRow(this);
    bars->setObjectName(QStringLiteral("barsTemplateUser"));
    tbTemplateUser_ = new QToolBar(bars);
    tbTemplateUser_->setObjectName(QStringLiteral("tbTemplateUser"));
    tbTemplateEdit_ = new QToolBar(bars);
    tbTemplateEdit_->setObjectName(QStringLiteral("tbTemplateEdit"));
    tbTemplateFormat_ = new QToolBar(bars);
    tbTemplateFormat_->setObjectName(QStringLiteral("tbTemplateFormat"));
    for (QToolBar* bar : {tbTemplateUser_, tbTemplateEdit_, tbTemplateFormat_}) {
        bars->addToolBar(bar);
    }
    layout->addWidget(bars);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    rtbTemplateUser_ = new QTextEdit(splitter);
    rtbTemplateUser_->setObjectName(QStringLiteral("rtbTemplateUser"));
    rtbTemplateUser_->setAcceptRichText(true);
    rtbTemplateUser_->setContextMenuPolicy(Qt::NoContextMenu);
    rtbTemplateUser_->installEventFilter(this);
    lstTemplateUserCols_ = new QListWidget(splitter);
    lstTemplateUserCols_->setObjectName(QStringLiteral("lstTemplateUserCols"));
    lstTemplateUserCols_->setToolTip(
        tr("Press ENTER or Double click to put selected Col bookmark to the Template"));
    lstTemplateUserCols_->installEventFilter(this);
    lstTemplateUserCols_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(lstTemplateUserCols_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { InsertField(lstTemplateUserCols_->row(item)); });
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    layout->addWidget(splitter, 1);
    createActions();
    buildFontSizeMenu();
    buildToolBar();
}

TTemplateEditor::~TTemplateEditor() = default;

QAction* TTemplateEditor::addAction_(const char* name, const QString& text, const QString& hint,
                                     const QKeySequence& key, std::function<void()> run) {
    auto* a = new QAction(text, this);
    a->setObjectName(QString::fromLatin1(name));
    a->setToolTip(hint.isEmpty() ? QString(text).remove(u'&') : hint);
    a->setStatusTip(hint);
    a->setShortcut(key);
    // The shortcut is shown in menus; the key itself is dispatched once by
    // the main window to the view in front, so it never fires twice.
    a->setShortcutContext(Qt::WidgetShortcut);
    connect(a, &QAction::triggered, this, [run = std::move(run)] { RunGuarded(run); });
    actions_by_name_[a->objectName()] = a;
    return a;
}

void TTemplateEditor::createActions() {
    addAction_("actFileNew", tr("&New"), tr("New Template"), QKeySequence(Qt::CTRL | Qt::Key_N),
               [this] { onStep("actDBCreate", [this] { FileNew(); }); });
    addAction_("actFileOpen", tr("&Open..."), tr("Open Template"),
               QKeySequence(Qt::CTRL | Qt::Key_O),
               [this] { onStep("actDBOpen", [this] { FileOpen(); }); });
    addAction_("actFileSave", tr("&Save"), tr("Save Template"), QKeySequence(Qt::CTRL | Qt::Key_S),
               [this] { onStep("actDBSave", [this] { FileSave(); }); });
    addAction_("actFileSaveAs", tr("Save &As..."), tr("Save As Template"), {},
               [this] { onStep("actDBSaveAs", [this] { FileSaveAs(); }); });
    addAction_("actEditUndo", tr("&Undo"), tr("Undo the last action"),
               QKeySequence(Qt::ALT | Qt::Key_Backspace), [] { onFocusedEdit("undo"); });
    addAction_("actEditCut", tr("Cu&t"), tr("Delete selected item"),
               QKeySequence(Qt::CTRL | Qt::Key_X), [] { onFocusedEdit("cut"); });
    addAction_("actEditCopy", tr("&Copy"), QString(), QKeySequence(Qt::CTRL | Qt::Key_C),
               [] { onFocusedEdit("copy"); });
    addAction_("actEditPaste", tr("&Paste"), QString(), QKeySequence(Qt::CTRL | Qt::Key_V),
               [] { onFocusedEdit("paste"); });
    addAction_("actEditSelectAll1", tr("Select &All"), tr("Select all"),
               QKeySequence(Qt::CTRL | Qt::Key_A), [] { onFocusedEdit("selectAll"); });
    addAction_("actEditFind", tr("&Find..."), tr("Find..."), QKeySequence(Qt::CTRL | Qt::Key_F),
               [this] { onStep("actEditFindBasic", [this] { EditFind(); }); });
    addAction_("actEditFindNext", tr("Find &Next"), tr("Find Next"), QKeySequence(Qt::Key_F3),
               [this] { onStep("actEditFindBasicNext", [this] { EditFindNext(); }); });
    addAction_("actEditReplace", tr("&Replace..."), tr("Replace..."),
               QKeySequence(Qt::CTRL | Qt::Key_R),
               [this] { onStep(nullptr, [this] { EditReplace(); }); });
    addAction_("actEditReplaceNext", tr("R&eplace Next"), tr("Replace Next"), {},
               [this] { onStep(nullptr, [this] { EditReplaceNext(); }); });
    addAction_("actFontBold", tr("&Bold"), tr("Bold"), QKeySequence(Qt::CTRL | Qt::Key_B),
               [this] { FontBold(); });
    addAction_("actFontItalic", tr("&Italic"), tr("Italic"), QKeySequence(Qt::CTRL | Qt::Key_I),
               [this] { FontItalic(); });
    addAction_("actFontUnderline", tr("&Underline"), tr("Underline"),
               QKeySequence(Qt::CTRL | Qt::Key_U), [this] { FontUnderline(); });
    // Keys no database command shares work while the editor has the focus.
    for (const char* own : {"actEditReplace", "actFontBold", "actFontItalic", "actFontUnderline"}) {
        QAction* a = action(QString::fromLatin1(own));
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(a);
    }
}

void TTemplateEditor::onStep(const char* databaseAction, const std::function<void()>& run) {
    if (stepCurrent_) {
        run();
    } else if (databaseAction != nullptr && HandOver) {
        HandOver(QString::fromLatin1(databaseAction));
    }
}

QAction* TTemplateEditor::action(const QString& name) const {
    const auto it = actions_by_name_.find(name);
    return it == actions_by_name_.end() ? nullptr : it->second;
}

QList<QAction*> TTemplateEditor::editorActions() const {
    QList<QAction*> list;
    for (const auto& [name, a] : actions_by_name_) {
        list.append(a);
    }
    return list;
}

void TTemplateEditor::buildFontSizeMenu() {
    fontSizeMenu_ = new QMenu(this);
    fontSizeMenu_->setObjectName(QStringLiteral("mnuFontSize"));
    const auto addAmount = [this](QMenu* menu, const QString& caption) {
        QAction* a = menu->addAction(caption);
        connect(a, &QAction::triggered, this,
                [this, caption] { FontSize(TemplateEditing::AmountOfCaption(caption)); });
    };
    addAmount(fontSizeMenu_, tr("&Normal"));
    QMenu* bigger = fontSizeMenu_->addMenu(tr("&Bigger"));
    QMenu* smaller = fontSizeMenu_->addMenu(tr("&Smaller"));
    for (int d = 1; d <= 6; ++d) {
        addAmount(bigger, QStringLiteral("+&%1").arg(d));
        addAmount(smaller, QStringLiteral("-&%1").arg(d));
    }
    tbut_FontSize_ = new QToolButton(this);
    tbut_FontSize_->setObjectName(QStringLiteral("tbut_FontSize"));
    tbut_FontSize_->setText(tr("Size"));
    tbut_FontSize_->setToolTip(tr("Font Size"));
    tbut_FontSize_->setMenu(fontSizeMenu_);
    tbut_FontSize_->setPopupMode(QToolButton::MenuButtonPopup);
    connect(tbut_FontSize_, &QToolButton::clicked, this, [this] { FontSize(lastSizeAmount_); });
}

void TTemplateEditor::buildToolBar() {
    const auto add = [this](QToolBar* bar, std::initializer_list<const char*> names) {
        for (const char* n : names) {
            bar->addAction(action(QString::fromLatin1(n)));
        }
        bar->addSeparator();
    };
    add(tbTemplateUser_, {"actFileNew", "actFileOpen", "actFileSave"});
    add(tbTemplateUser_, {"actEditFind"});
    add(tbTemplateEdit_, {"actEditCut", "actEditCopy", "actEditPaste"});
    add(tbTemplateEdit_, {"actEditUndo"});
    add(tbTemplateFormat_, {"actFontBold", "actFontItalic", "actFontUnderline"});
    tbTemplateFormat_->addWidget(tbut_FontSize_);
}

QMenu* TTemplateEditor::buildContextMenu() {
    auto* menu = new QMenu(rtbTemplateUser_);
    menu->setObjectName(QStringLiteral("pmnuTemplateUser"));
    const auto add = [this](QMenu* m, std::initializer_list<const char*> names) {
        for (const char* n : names) {
            if (*n == '\0') {
                m->addSeparator();
            } else {
                m->addAction(action(QString::fromLatin1(n)));
            }
        }
    };
    add(menu, {"actEditUndo", "", "actEditCut", "actEditCopy", "actEditPaste", ""});
    add(menu->addMenu(tr("&File")), {"actFileNew", "actFileOpen", "actFileSave", "actFileSaveAs"});
    add(menu->addMenu(tr("&Edit")),
        {"actEditUndo", "", "actEditCut", "actEditCopy", "actEditPaste", "", "actEditFind",
         "actEditFindNext", "actEditReplace", "actEditReplaceNext", "", "actEditSelectAll1"});
    return menu;
}

void TTemplateEditor::SetContextMenuPresent(bool present) {
    if (present == (contextMenu_ != nullptr)) {
        return;
    }
    if (present) {
        contextMenu_ = buildContextMenu();
        rtbTemplateUser_->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(rtbTemplateUser_, &QWidget::customContextMenuRequested, contextMenu_,
                [this](const QPoint& at) {
                    contextMenu_->popup(rtbTemplateUser_->viewport()->mapToGlobal(at));
                });
    } else {
        rtbTemplateUser_->setContextMenuPolicy(Qt::NoContextMenu);
        contextMenu_->deleteLater();
        contextMenu_ = nullptr;
    }
}

void TTemplateEditor::SetColumnNames(const QStringList& names, const QStringList& names_2_5_2) {
    names_ = names;
    names_2_5_2_ = names_2_5_2;
}

void TTemplateEditor::FillColumns(const QStringList& titlesFull) {
    lstTemplateUserCols_->clear();
    lstTemplateUserCols_->addItems(titlesFull);
    if (lstTemplateUserCols_->count() > 0) {
        lstTemplateUserCols_->setCurrentRow(0);
    }
    // The list is as wide as its longest title, so every title shows whole.
    QListWidget* list = lstTemplateUserCols_;
    list->setMinimumWidth(list->sizeHintForColumn(0) + 2 * list->frameWidth() +
                          list->verticalScrollBar()->sizeHint().width() + 4);
}

QString TTemplateEditor::templateText() const {
    return rtbTemplateUser_->toPlainText();
}

bool TTemplateEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lstTemplateUserCols_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            InsertField(lstTemplateUserCols_->currentRow());
            return true;
        }
    }
    if (watched == rtbTemplateUser_ && event->type() == QEvent::KeyPress &&
        IsContextMenuKey(*static_cast<QKeyEvent*>(event)) && contextMenu_ != nullptr) {
        // From the keyboard the menu opens at the caret, not at the mouse.
        contextMenu_->popup(
            rtbTemplateUser_->viewport()->mapToGlobal(rtbTemplateUser_->cursorRect().bottomLeft()));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TTemplateEditor::onFocusedEdit(const char* slot) {
    QWidget* focus = QApplication::focusWidget();
    if (focus != nullptr && focus->metaObject()->indexOfMethod(QByteArray(slot) + "()") >= 0) {
        QMetaObject::invokeMethod(focus, slot);
    }
}

// --- Files -----------------------------------------------------------------------

void TTemplateEditor::FileNew() {
    rtbTemplateUser_->clear();
    rtbTemplateUser_->setFocus();
    fileName_.clear();
}

void TTemplateEditor::FileOpen() {
    const QString chosen = chooseTemplate(false, tr("Open Template"));
    if (!chosen.isEmpty()) {
        FileReload(chosen);
    }
}

TemplateReadStatus TTemplateEditor::FileReload(const QString& fileName, bool reportMissing) {
    QString reason;
    const TemplateReadStatus status =
        ReadTemplateFile(fileName, *rtbTemplateUser_->document(), reason);
    if (status != TemplateReadStatus::Ok) {
        if (status == TemplateReadStatus::Failed || reportMissing) {
            ShowMessage(MsgType::Error,
                        tr("Cannot open file \"%1\". %2").arg(FullName(fileName), reason),
                        MsgButtons::Ok, this);
        }
        return status;
    }
    rtbTemplateUser_->document()->clearUndoRedoStacks();
    if (rtbTemplateUser_->isVisible()) {
        rtbTemplateUser_->setFocus();
    }
    fileName_ = fileName;
    ConvertNumberedTags(*rtbTemplateUser_->document(), names_2_5_2_);
    QTextCursor start(rtbTemplateUser_->document());
    rtbTemplateUser_->setTextCursor(start);
    return status;
}

bool TTemplateEditor::writeTo(const QString& fileName) {
    QString reason;
    if (!WriteTemplateFile(fileName, *rtbTemplateUser_->document(), reason)) {
        ShowMessage(MsgType::Error,
                    tr("Cannot create file \"%1\". %2").arg(FullName(fileName), reason),
                    MsgButtons::Ok, this);
        return false;
    }
    rtbTemplateUser_->setFocus();
    return true;
}

void TTemplateEditor::FileSave() {
    if (fileName_.isEmpty()) {
        FileSaveAs();
    } else {
        writeTo(fileName_);
    }
}

void TTemplateEditor::FileSaveAs() {
    const QString chosen = chooseTemplate(true, tr("Save Template As"));
    if (!chosen.isEmpty() && writeTo(chosen)) {
        fileName_ = chosen;
    }
}

QString TTemplateEditor::chooseTemplate(bool save, const QString& title) {
    TFileChoice choice;
    choice.mode = save ? TFileChoice::Mode::Save : TFileChoice::Mode::Open;
    choice.objectName =
        save ? QStringLiteral("dlgSaveTemplate") : QStringLiteral("dlgOpenTemplate");
    choice.title = title;
    choice.nameFilters = {tr("Template (*.txt)"), tr("All files (*)")};
    // No extension is added: a name without one is written as it stands.
    choice.confirmOverwrite = true;
    return ChooseFile(choice, this);
}

// --- Find and replace ------------------------------------------------------------

void TTemplateEditor::ensureDialog(TdlgTemplateFind*& dialog, bool replacing) {
    if (dialog != nullptr) {
        return;
    }
    dialog = new TdlgTemplateFind(
        replacing ? TdlgTemplateFind::Mode::Replace : TdlgTemplateFind::Mode::Find, this);
    TdlgTemplateFind* d = dialog;
    connect(d, &TdlgTemplateFind::findNext, this, [this, d] {
        if (!findFromSelection(*d)) {
            ShowMessage(MsgType::Information, LoadResString(res::StringNotFound), MsgButtons::Ok,
                        this);
        }
    });
    connect(d, &TdlgTemplateFind::replaceNext, this, &TTemplateEditor::EditReplaceNext);
}

bool TTemplateEditor::findFromSelection(const TdlgTemplateFind& dialog) {
    if (dialog.findText().isEmpty()) {
        return false;
    }
    QTextDocument::FindFlags flags;
    if (dialog.matchCase()) {
        flags |= QTextDocument::FindCaseSensitively;
    }
    if (dialog.wholeWord()) {
        flags |= QTextDocument::FindWholeWords;
    }
    const QTextCursor found = rtbTemplateUser_->document()->find(
        dialog.findText(), rtbTemplateUser_->textCursor().selectionEnd(), flags);
    if (found.isNull()) {
        return false;
    }
    rtbTemplateUser_->setFocus();
    rtbTemplateUser_->setTextCursor(found);
    return true;
}

void TTemplateEditor::EditFind() {
    ensureDialog(dlgFind_, false);
    dlgFind_->show();
    dlgFind_->raise();
}

void TTemplateEditor::EditFindNext() {
    ensureDialog(dlgFind_, false);
    emit dlgFind_->findNext();
}

void TTemplateEditor::EditReplace() {
    ensureDialog(dlgReplace_, true);
    dlgReplace_->show();
    dlgReplace_->raise();
}

void TTemplateEditor::EditReplaceNext() {
    ensureDialog(dlgReplace_, true);
    if (!findFromSelection(*dlgReplace_)) {
        ShowMessage(MsgType::Information, LoadResString(res::StringNotFound), MsgButtons::Ok, this);
        return;
    }
    rtbTemplateUser_->textCursor().insertText(dlgReplace_->replaceText());
}

// --- Formats ---------------------------------------------------------------------

void TTemplateEditor::wrapSelection(const QString& open, const QString& close) {
    QTextCursor c = rtbTemplateUser_->textCursor();
    const int a = c.selectionStart();
    const int end = c.selectionEnd();
    c.beginEditBlock();
    c.setPosition(end);
    c.insertText(close);
    c.setPosition(a);
    c.insertText(open);
    c.endEditBlock();
    c.setPosition(a);
    c.setPosition(static_cast<int>(end + open.size() + close.size()), QTextCursor::KeepAnchor);
    rtbTemplateUser_->setTextCursor(c);
}

void TTemplateEditor::FontBold() {
    if (stepCurrent_) {
        wrapSelection(QStringLiteral("[B]"), QStringLiteral("[/B]"));
    }
}

void TTemplateEditor::FontItalic() {
    if (stepCurrent_) {
        wrapSelection(QStringLiteral("[I]"), QStringLiteral("[/I]"));
    }
}

void TTemplateEditor::FontUnderline() {
    if (stepCurrent_) {
        wrapSelection(QStringLiteral("[U]"), QStringLiteral("[/U]"));
    }
}

void TTemplateEditor::FontSize(int amount) {
    lastSizeAmount_ = amount;
    const QString tag = TemplateEditing::SizeTag(amount);
    QTextCursor c = rtbTemplateUser_->textCursor();
    if (!c.hasSelection()) {
        const int a = c.position();
        c.insertText(tag);
        c.setPosition(a);
        c.setPosition(static_cast<int>(a + tag.size()), QTextCursor::KeepAnchor);
        rtbTemplateUser_->setTextCursor(c);
    } else {
        const int before = TemplateEditing::SizeAmountBefore(templateText(), c.selectionStart());
        wrapSelection(tag, TemplateEditing::SizeTag(before));
    }
    rtbTemplateUser_->setFocus();
}

void TTemplateEditor::InsertField(int k) {
    if (k < 0 || k >= names_.size()) {
        return;
    }
    rtbTemplateUser_->textCursor().insertText(TemplateEditing::FieldTag(names_[k]));
    rtbTemplateUser_->setFocus();
}
